// Decimal digits of whole numbers, written straight to their place: the
// shared step of the listing's numbers and the pictures' numbers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace morlune {

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

inline constexpr std::uint64_t kPowersOfTen[20] = {
    1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL, 1000000000ULL,
    10000000000ULL, 100000000000ULL, 1000000000000ULL, 10000000000000ULL, 100000000000000ULL,
    1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL, 1000000000000000000ULL,
    10000000000000000000ULL};

// By comparisons alone: no division.
inline int DigitCount(std::uint64_t value) {
  int digits = 1;
  while (digits < 20 && value >= kPowersOfTen[digits]) ++digits;
  return digits;
}

// Writes value's digits backwards, ending at end, two at a time; most
// values fit 32 bits, whose divisions are the cheaper ones.
template <typename Unsigned>
void DigitsBefore(char* end, Unsigned value) {
  while (value >= 100) {
    end -= 2;
    std::memcpy(end, kDigitPairs + 2 * (value % 100), 2);
    value /= 100;
  }
  if (value >= 10) {
    std::memcpy(end - 2, kDigitPairs + 2 * value, 2);
  } else {
    end[-1] = static_cast<char>('0' + value);
  }
}

// Wholes below 1000, the most frequent by far in coordinates of glyphs, as
// three bytes to copy and how many of them count: no division and no
// branch on the number of digits.
struct SmallWhole {
  char text[3];
  unsigned char length;
};
inline constexpr auto kSmallWholes = [] {
  std::array<SmallWhole, 1000> wholes{};
  for (int value = 0; value < 1000; ++value) {
    SmallWhole& whole = wholes[static_cast<std::size_t>(value)];
    whole.length = static_cast<unsigned char>(value >= 100 ? 3 : value >= 10 ? 2 : 1);
    for (int i = whole.length - 1, rest = value; i >= 0; --i, rest /= 10) {
      whole.text[i] = static_cast<char>('0' + rest % 10);
    }
  }
  return wholes;
}();

// Writes value at out and returns its length; out must have room for three
// bytes more than the digits, which a small value may overwrite.
inline std::size_t WriteWhole(std::uint64_t value, char* out) {
  if (value < kSmallWholes.size()) {
    const SmallWhole& small = kSmallWholes[value];
    std::memcpy(out, small.text, sizeof small.text);
    return small.length;
  }
  std::size_t length = static_cast<std::size_t>(DigitCount(value));
  if (value <= 0xFFFFFFFFu) {
    DigitsBefore(out + length, static_cast<std::uint32_t>(value));
  } else {
    DigitsBefore(out + length, value);
  }
  return length;
}

}  // namespace morlune
