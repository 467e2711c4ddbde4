// Six-decimal rounding done on the exact value of the double. Most
// coordinates are whole or halves (vector steps are), and any multiple of
// 1/64 has at most six decimals: those are written exactly with no
// rounding at all. Otherwise the product with 10^6 is right but where it
// lands on a half: there Dekker's product gives its error, which says on
// which side of the half the exact value lies.
#include "drawing/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "drawing/digit_text.h"

namespace morlune {
namespace {

constexpr double kMillion = 1e6;

// The exact error of magnitude * 10^6 against its rounded product. 10^6
// needs 20 bits, so only the magnitude is split.
double ProductError(double magnitude, double product) {
  double spread = 134217729.0 * magnitude;  // 2^27 + 1
  double high = spread - (spread - magnitude);
  double low = magnitude - high;
  return (high * kMillion - product) + low * kMillion;
}

// magnitude * 10^6 to the nearest integer, ties to even.
std::uint64_t RoundedMillionths(double magnitude) {
  double product = magnitude * kMillion;
  std::uint64_t whole = static_cast<std::uint64_t>(product);
  double fraction = product - static_cast<double>(whole);  // exact below 2^52
  if (fraction != 0.5) return whole + (fraction > 0.5 ? 1 : 0);
  double error = ProductError(magnitude, product);
  return whole + ((error > 0 || (error == 0 && (whole & 1) != 0)) ? 1 : 0);
}

// magnitude * 10^6 exactly. A multiple of 1/64 (scaling by 64 is exact)
// is a whole number of 15625 millionths, below 2^52: nothing to round.
std::uint64_t Millionths(double magnitude) {
  double sixtyFourths = magnitude * 64;
  std::uint64_t count = static_cast<std::uint64_t>(sixtyFourths);
  if (static_cast<double>(count) == sixtyFourths) return count * 15625;
  return RoundedMillionths(magnitude);
}

}  // namespace

std::size_t FormatDecimal(double value, char* out) {
  // Within 2^32 the product with 10^6 stays below 2^52, where every half
  // is a double.
  value = WritableValue(value);
  double magnitude = std::fabs(value);
  std::uint64_t millionths = Millionths(magnitude);
  // The minus sign is written always and kept only where it is needed:
  // the signs of coordinates follow no pattern a branch could learn.
  out[0] = '-';
  std::size_t n = static_cast<std::size_t>(value < 0) & static_cast<std::size_t>(millionths != 0);
  n += WriteWhole(millionths / 1000000, out + n);
  std::uint32_t fraction = static_cast<std::uint32_t>(millionths % 1000000);
  if (fraction == 0) return n;
  // Six digits, then cut after the last one that is not 0.
  out[n] = '.';
  std::memcpy(out + n + 1, kDigitPairs + 2 * (fraction / 10000), 2);
  std::memcpy(out + n + 3, kDigitPairs + 2 * (fraction / 100 % 100), 2);
  std::memcpy(out + n + 5, kDigitPairs + 2 * (fraction % 100), 2);
  n += 7;
  while (out[n - 1] == '0') --n;
  return n;
}

}  // namespace morlune
