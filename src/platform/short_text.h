// Short text formatted by hand straight into memory that has room for it:
// literal text, signed decimal numbers and zero-filled upper-case
// hexadecimal. Pieces and the items of a specification are made with it.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "platform/short_copy.h"

namespace morlune {

namespace short_text_detail {

// The decimal text of every number from -128 to 999 (the numbers of the
// specification bytes and more), left-aligned in seven bytes, with its
// length in the eighth: such a number is one table read and one eight-byte
// store, with no branch on its sign or its number of digits.
inline constexpr long kFirstTabledNumber = -128;
inline constexpr long kLastTabledNumber = 999;
struct TabledNumber {
  char text[7];
  char length;
};

constexpr std::array<TabledNumber, kLastTabledNumber - kFirstTabledNumber + 1> MakeTabledNumbers() {
  std::array<TabledNumber, kLastTabledNumber - kFirstTabledNumber + 1> table{};
  for (long n = kFirstTabledNumber; n <= kLastTabledNumber; ++n) {
    TabledNumber& entry = table[static_cast<std::size_t>(n - kFirstTabledNumber)];
    long magnitude = n < 0 ? -n : n;
    int digits = magnitude >= 100 ? 3 : magnitude >= 10 ? 2 : 1;
    int length = digits + (n < 0);
    if (n < 0) entry.text[0] = '-';
    for (int i = length - 1; digits > 0; --i, --digits, magnitude /= 10) {
      entry.text[i] = static_cast<char>('0' + magnitude % 10);
    }
    entry.length = static_cast<char>(length);
  }
  return table;
}
inline constexpr auto kTabledNumbers = MakeTabledNumbers();

// The two upper-case hexadecimal digits of every byte value.
constexpr std::array<char, 512> MakeHexPairs() {
  std::array<char, 512> table{};
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (int n = 0; n < 256; ++n) {
    table[static_cast<std::size_t>(2 * n)] = kDigits[n >> 4];
    table[static_cast<std::size_t>(2 * n + 1)] = kDigits[n & 0xF];
  }
  return table;
}
inline constexpr std::array<char, 512> kHexPairs = MakeHexPairs();

// A fixed number of bytes in one move at run time; byte by byte where the
// compiler builds a table.
constexpr void CopyBytes(char* dst, const char* src, std::size_t n) {
  if (std::is_constant_evaluated()) {
    for (std::size_t i = 0; i < n; ++i) dst[i] = src[i];
  } else {
    std::memcpy(dst, src, n);
  }
}

}  // namespace short_text_detail

// Writes at `at` and moves it on. The caller sees to the room: a number may
// store up to kOverhang bytes past the end of its text, and takes at most
// kMaxNumber bytes.
struct ShortText {
  static constexpr std::size_t kOverhang = sizeof(short_text_detail::TabledNumber) - 1;
  static constexpr std::size_t kMaxNumber = 20;

  char* at;

  [[gnu::always_inline]] constexpr ShortText& Char(char c) {
    *at++ = c;
    return *this;
  }
  // Literal text, whose length the compiler knows.
  [[gnu::always_inline]] constexpr ShortText& Text(std::string_view text) {
    short_text_detail::CopyBytes(at, text.data(), text.size());
    at += text.size();
    return *this;
  }
  // Text whose length is known only when it runs, such as a name: a few
  // bytes are moved without a call, or a slow string move.
  [[gnu::always_inline]] ShortText& Name(std::string_view text) {
    ShortCopy(at, text.data(), text.size());
    at += text.size();
    return *this;
  }

  // Signed decimal with a minus sign for negative values ("%d").
  [[gnu::always_inline]] constexpr ShortText& Decimal(long value) {
    using namespace short_text_detail;
    if (value < kFirstTabledNumber || value > kLastTabledNumber) {
      unsigned long magnitude = value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
      return Digits(magnitude, 10, 1, value < 0);
    }
    const TabledNumber& entry = kTabledNumbers[static_cast<std::size_t>(value - kFirstTabledNumber)];
    // The bytes after the text are overwritten later; a table the compiler
    // builds takes the text alone.
    CopyBytes(at, entry.text, std::is_constant_evaluated() ? static_cast<std::size_t>(entry.length) : sizeof entry);
    at += entry.length;
    return *this;
  }

  // Upper-case hexadecimal, zero-filled to at least minDigits ("%02X", "%04X").
  [[gnu::always_inline]] constexpr ShortText& Hex(unsigned long value, int minDigits) {
    using short_text_detail::kHexPairs;
    if (value <= 0xFF && minDigits == 2) {
      short_text_detail::CopyBytes(at, &kHexPairs[2 * value], 2);
      at += 2;
      return *this;
    }
    if (value <= 0xFFFF && minDigits == 4) {
      short_text_detail::CopyBytes(at, &kHexPairs[2 * (value >> 8)], 2);
      short_text_detail::CopyBytes(at + 2, &kHexPairs[2 * (value & 0xFF)], 2);
      at += 4;
      return *this;
    }
    return Digits(value, 16, minDigits, false);
  }

 private:
  // Any magnitude in the radix, zero-filled to minDigits, after a minus sign
  // if negative.
  constexpr ShortText& Digits(unsigned long magnitude, unsigned radix, int minDigits, bool negative) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    int written = 0;
    do {
      *--p = kDigits[magnitude % radix];
      magnitude /= radix;
      ++written;
    } while (magnitude != 0 || written < minDigits);
    if (negative) *--p = '-';
    return Text(std::string_view(p, static_cast<std::size_t>(end - p)));
  }
};

}  // namespace morlune
