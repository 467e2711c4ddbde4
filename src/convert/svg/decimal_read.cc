// Short decimal numbers read without a library call; every other one
// through std::from_chars.
#include "convert/svg/decimal_read.h"

#include <cstdint>
#include <iterator>

#include "platform/decimal_from_chars.h"

namespace morlune::convert {
namespace {

// Powers of ten that a double holds exactly.
constexpr double kExactTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactWhole = std::uint64_t{1} << 53;
constexpr int kMostDigits = 19;  // fewer than this many digits cannot overflow 64 bits

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::from_chars_result ReadDecimal(const char* first, const char* last, double& value) {
  // [-]digits[.digits], with no exponent after: its digits as a whole
  // number below 2^53 and a power of ten below 10^23 are both exact, and
  // one division rounds their quotient to the nearest double, as from_chars
  // does. Anything else goes to from_chars.
  const char* at = first;
  bool negative = at != last && *at == '-';
  if (negative) ++at;
  // The digits read stop at kMostDigits, integer and fraction together.
  auto stopAfter = [last](const char* from, int most) { return last - from > most ? from + most : last; };
  std::uint64_t whole = 0;
  const char* start = at;
  for (const char* stop = stopAfter(at, kMostDigits); at != stop && IsDigit(*at);) {
    whole = whole * 10 + static_cast<unsigned>(*at++ - '0');
  }
  int digits = static_cast<int>(at - start), decimals = 0;
  bool simple = at != start;
  if (simple && at != last && *at == '.') {
    const char* point = ++at;
    for (const char* stop = stopAfter(at, kMostDigits - digits); at != stop && IsDigit(*at);) {
      whole = whole * 10 + static_cast<unsigned>(*at++ - '0');
    }
    decimals = static_cast<int>(at - point);
    simple = at != point;
  }
  simple = simple && whole <= kExactWhole && decimals < static_cast<int>(std::size(kExactTens)) &&
           (at == last || (!IsDigit(*at) && *at != '.' && *at != 'e' && *at != 'E'));
  if (!simple) return DecimalFromChars(first, last, value);
  double magnitude = static_cast<double>(whole) / kExactTens[decimals];
  value = negative ? -magnitude : magnitude;
  return {at, std::errc()};
}

}  // namespace morlune::convert
