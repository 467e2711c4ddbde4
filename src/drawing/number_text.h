// Numbers of the listing and the pictures: fixed notation with at most six
// decimals, the same bytes on every platform.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>

namespace morlune {

// Room that FormatDecimal needs: a sign, ten digits, a point and six more.
inline constexpr std::size_t kDecimalRoom = 24;

// The decimals of the listing; pictures may take fewer.
inline constexpr int kListingDecimals = 6;

// The magnitudes the writers of numbers take: twice the drawing's bounds,
// room for a coordinate and an offset from it. Their digits come from
// integers of a fixed width, which nothing larger fits.
inline constexpr double kLargestWritten = 4294967296.0;  // 2^32

// The value itself where the writers take it; 0 for anything larger or
// not finite, which the drawing never hands them.
inline double WritableValue(double value) { return std::fabs(value) <= kLargestWritten ? value : 0; }

// Writes value rounded to six decimals, ties to even on the exact binary
// value, without trailing zeros or a trailing point, and never "-0".
// Returns the length. A value that WritableValue refuses is written as "0".
std::size_t FormatDecimal(double value, char* out);

inline void AppendDecimal(std::string& text, double value) {
  char digits[kDecimalRoom];
  text.append(digits, FormatDecimal(value, digits));
}

// Two numbers with the separator between them: a point "x,y" of the
// listing, or "x y" in a picture's attributes.
inline void AppendDecimalPair(std::string& text, double first, char separator, double second) {
  AppendDecimal(text, first);
  text += separator;
  AppendDecimal(text, second);
}

}  // namespace morlune
