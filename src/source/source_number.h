// The spelling of a number in shape source text: an optional "-", then
// digits; a first digit 0 followed by more digits makes it hexadecimal,
// anything else is decimal. Codes, counts, operands and values alike.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "source/operand_text.h"

namespace morlune {

namespace source_number_detail {
// What each byte is to a number: a digit's value (0 to 15, the letters a to
// f and A to F included), kOtherLetter for the rest of the letters, which
// are stuck to the number and make it bad, and kNotInNumber for what ends it.
inline constexpr signed char kOtherLetter = 16;
inline constexpr signed char kNotInNumber = -1;

constexpr std::array<signed char, 256> MakeDigitValues() {
  std::array<signed char, 256> table{};
  for (auto& entry : table) entry = kNotInNumber;
  for (int c = '0'; c <= '9'; ++c) table[static_cast<std::size_t>(c)] = static_cast<signed char>(c - '0');
  for (int c = 'a'; c <= 'z'; ++c) {
    signed char value = c <= 'f' ? static_cast<signed char>(c - 'a' + 10) : kOtherLetter;
    table[static_cast<std::size_t>(c)] = value;
    table[static_cast<std::size_t>(c - 'a' + 'A')] = value;
  }
  return table;
}
inline constexpr std::array<signed char, 256> kDigitValues = MakeDigitValues();

inline int DigitValueOf(char c) { return kDigitValues[static_cast<unsigned char>(c)]; }

// Numbers of more digits than this are far out of every place's range; their
// value stays at kSaturated rather than overflow.
inline constexpr long kSaturated = 1L << 30;
inline constexpr int kMostDigitsKept = 7;
}  // namespace source_number_detail

// True for the bytes that a number's digits are taken from: a letter stuck
// to digits belongs to the number (and makes it bad), so "1A" is one fault.
inline bool IsNumberByte(char c) { return source_number_detail::DigitValueOf(c) >= 0; }

enum class NumberFault : std::uint8_t { kNone, kNoDigits, kBadDigit };

// Reads the number that starts at p ("-" or a number byte) and stops at the
// first byte that is not part of it; *stop is set there. One pass takes the
// decimal and the hexadecimal value together, as only the number's end
// tells which it is.
inline NumberFault ScanSourceNumber(const char* p, const char* end, SourceNumber& number, const char** stop) {
  using namespace source_number_detail;
  // The numbers of most texts, one to three decimal digits or a 0 and two
  // hexadecimal digits, take a shorter way where four bytes can be read.
  if (end - p >= 4) {
    int d0 = DigitValueOf(p[0]), d1 = DigitValueOf(p[1]), d2 = DigitValueOf(p[2]), d3 = DigitValueOf(p[3]);
    int length = -1;
    long value = 0;
    if (d0 >= 1 && d0 <= 9) {
      if (d1 < 0) {
        length = 1, value = d0;
      } else if (d1 <= 9 && d2 < 0) {
        length = 2, value = d0 * 10 + d1;
      } else if (d1 <= 9 && d2 <= 9 && d3 < 0) {
        length = 3, value = d0 * 100 + d1 * 10 + d2;
      }
    } else if (d0 == 0) {
      if (d1 < 0) {
        length = 1;
      } else if (d1 < 16 && d2 < 16 && d2 >= 0 && d3 < 0) {
        length = 3, value = d1 * 16 + d2;
      }
    }
    if (length > 0) {
      *stop = p + length;
      number.value = value;
      number.negativeZero = false;
      return NumberFault::kNone;
    }
  }
  bool negative = false;
  if (p < end && *p == '-') {
    negative = true;
    ++p;
  }
  const char* digits = p;
  long decimal = 0, hex = 0;
  int highest = 0;      // the highest digit value met
  int significant = 0;  // digits from the first that is not 0
  int digit;
  while (p < end && (digit = DigitValueOf(*p)) >= 0) {
    if (digit > highest) highest = digit;
    int value = digit & 15;
    significant += significant > 0 || value != 0;
    if (significant <= kMostDigitsKept) {
      decimal = decimal * 10 + value;
      hex = hex * 16 + value;
    } else {
      decimal = hex = kSaturated;
    }
    ++p;
  }
  *stop = p;
  if (p == digits) return NumberFault::kNoDigits;
  bool isHex = p - digits > 1 && digits[0] == '0';
  if (highest >= (isHex ? 16 : 10)) return NumberFault::kBadDigit;
  long value = isHex ? hex : decimal;
  number.value = negative ? -value : value;
  number.negativeZero = negative && value == 0;
  return NumberFault::kNone;
}

// A number as the text wrote it, with its value after it where the two read
// differently ("012 (18)"): a message quotes what the user typed, never a
// value made of it.
inline std::string NumberAsWritten(std::string_view written, long long value) {
  std::string text(written);
  std::string decimal = std::to_string(value);
  if (text != decimal) text += " (" + decimal + ")";
  return text;
}

}  // namespace morlune
