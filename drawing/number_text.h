// Numbers of the listing and the pictures: fixed notation with at most six
// decimals, the same bytes on every platform.
#pragma once

#include <cstddef>
#include <string>

namespace morlune {

// Room that FormatDecimal needs: a sign, ten digits, a point and six more.
inline constexpr std::size_t kDecimalRoom = 24;

// The decimals of the listing; pictures may take fewer.
inline constexpr int kListingDecimals = 6;

// Writes value rounded to six decimals, ties to even on the exact binary
// value, without trailing zeros or a trailing point, and never "-0".
// Returns the length. The value must be finite and at most 2^32 in
// magnitude (twice the drawing's bounds); anything else is written as "0".
std::size_t FormatDecimal(double value, char* out);

inline void AppendDecimal(std::string& text, double value) {
  char digits[kDecimalRoom];
  text.append(digits, FormatDecimal(value, digits));
}

}  // namespace morlune
