// The spelling of a number in shape source text: an optional "-", then
// digits; a first digit 0 followed by more digits makes it hexadecimal,
// anything else is decimal. Codes, counts, operands and values alike.
#pragma once

#include <array>
#include <cstdint>

#include "source/operand_text.h"

namespace morlune {

namespace source_number_detail {
constexpr std::array<bool, 256> MakeWordBytes() {
  std::array<bool, 256> table{};
  for (int c = '0'; c <= '9'; ++c) table[static_cast<std::size_t>(c)] = true;
  for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = true;
  for (int c = 'a'; c <= 'z'; ++c) table[static_cast<std::size_t>(c)] = true;
  return table;
}
inline constexpr std::array<bool, 256> kWordBytes = MakeWordBytes();

// Far above any value that a place accepts, so that an overlong number
// stays out of range however many digits it has.
inline constexpr long kSaturated = 1L << 40;

inline int DigitValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}
}  // namespace source_number_detail

// True for the bytes that a number's digits are taken from: a letter stuck
// to digits belongs to the number (and makes it bad), so "1A" is one fault.
inline bool IsNumberByte(char c) { return source_number_detail::kWordBytes[static_cast<unsigned char>(c)]; }

enum class NumberFault : std::uint8_t { kNone, kNoDigits, kBadDigit };

// Reads the number that starts at p ("-" or a number byte) and stops at the
// first byte that is not part of it; *stop is set there.
inline NumberFault ScanSourceNumber(const char* p, const char* end, SourceNumber& number, const char** stop) {
  using namespace source_number_detail;
  bool negative = false;
  if (p < end && *p == '-') {
    negative = true;
    ++p;
  }
  const char* digits = p;
  while (p < end && IsNumberByte(*p)) ++p;
  *stop = p;
  if (p == digits) return NumberFault::kNoDigits;
  int base = (p - digits > 1 && digits[0] == '0') ? 16 : 10;
  long value = 0;
  for (const char* d = digits; d < p; ++d) {
    int digit = DigitValue(static_cast<unsigned char>(*d));
    if (digit >= base) return NumberFault::kBadDigit;
    value = value >= kSaturated ? kSaturated : value * base + digit;
  }
  number.value = negative ? -value : value;
  number.negativeZero = negative && value == 0;
  return NumberFault::kNone;
}

}  // namespace morlune
