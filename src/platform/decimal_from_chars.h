// std::from_chars of a double (the general format) where the standard
// library has it. Where it does not yet (the libc++ of some cross
// toolchains, WebAssembly's among them), the same grammar is scanned here
// and the number found is handed to strtod, which rounds to the nearest
// double as from_chars does.
#pragma once

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>
#include <version>

namespace morlune {

namespace decimal_chars_detail {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether [at, last) begins with word (lower case), letters' case apart.
inline bool StartsWithWord(const char* at, const char* last, std::string_view word) {
  if (static_cast<std::size_t>(last - at) < word.size()) return false;
  for (char c : word) {
    if (Lower(*at++) != c) return false;
  }
  return true;
}

}  // namespace decimal_chars_detail

// What std::from_chars(first, last, value) gives for a double: an optional
// '-' (no '+', no blank), then "inf", "infinity", "nan", "nan(chars)" or
// digits with an optional point and an exponent that is taken only when
// whole. A number past the double's range, or one that rounds to zero, is
// out of range and leaves value as it was. Used where the library lacks
// from_chars, and kept apart so that a build that has it can test this one
// against it. The caller's errno is kept.
inline std::from_chars_result ScanDecimalThenStrtod(const char* first, const char* last, double& value) {
  using namespace decimal_chars_detail;
  const char* at = first;
  bool negative = at != last && *at == '-';
  if (negative) ++at;
  if (StartsWithWord(at, last, "inf")) {
    value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return {at + (StartsWithWord(at, last, "infinity") ? 8 : 3), std::errc()};
  }
  if (StartsWithWord(at, last, "nan")) {
    const char* end = at + 3;
    if (end != last && *end == '(') {
      const char* close = end + 1;
      while (close != last && (IsDigit(*close) || IsLetter(*close) || *close == '_')) ++close;
      if (close != last && *close == ')') end = close + 1;
    }
    value = std::copysign(std::numeric_limits<double>::quiet_NaN(), negative ? -1.0 : 1.0);
    return {end, std::errc()};
  }
  const char* whole = at;
  while (at != last && IsDigit(*at)) ++at;
  bool anyDigit = at != whole;
  if (at != last && *at == '.') {
    const char* fraction = ++at;
    while (at != last && IsDigit(*at)) ++at;
    anyDigit = anyDigit || at != fraction;
  }
  if (!anyDigit) return {first, std::errc::invalid_argument};
  if (at != last && (*at == 'e' || *at == 'E')) {
    const char* exponent = at + 1;
    if (exponent != last && (*exponent == '+' || *exponent == '-')) ++exponent;
    const char* digits = exponent;
    while (exponent != last && IsDigit(*exponent)) ++exponent;
    if (exponent != digits) at = exponent;
  }
  // strtod wants a terminated string, and the point of the C library's
  // locale, which a program may have set to another.
  std::string number;
  number.reserve(static_cast<std::size_t>(at - first));
  const char* point = std::localeconv()->decimal_point;
  for (const char* c = first; c != at; ++c) {
    if (*c == '.' && point != nullptr && point[0] != '\0') {
      number += point;
    } else {
      number += *c;
    }
  }
  int savedErrno = errno;
  errno = 0;
  double read = std::strtod(number.c_str(), nullptr);
  bool outOfRange = errno == ERANGE && (read == 0 || std::isinf(read));
  errno = savedErrno;
  if (outOfRange) return {at, std::errc::result_out_of_range};
  value = read;
  return {at, std::errc()};
}

inline std::from_chars_result DecimalFromChars(const char* first, const char* last, double& value) {
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
  return std::from_chars(first, last, value);
#else
  return ScanDecimalThenStrtod(first, last, value);
#endif
}

}  // namespace morlune
