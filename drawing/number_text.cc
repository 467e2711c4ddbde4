// Six-decimal rounding done on the exact value of the double: the product
// with 10^6 is split into its rounded value and its exact error, so that a
// product that lands on a half by rounding is told from a true tie.
#include "drawing/number_text.h"

#include <cmath>
#include <cstdint>

namespace morlune {
namespace {

constexpr double kMillion = 1e6;
constexpr double kLimit = 4294967296.0;  // 2^32

// Value times 10^6 to the nearest integer, ties to even. |value| <= 2^32,
// so the product stays below 2^52, where every half is a double.
std::int64_t RoundedMillionths(double value) {
  double product = value * kMillion;
  // Dekker's exact product: 10^6 needs 20 bits, so only value is split.
  double spread = 134217729.0 * value;  // 2^27 + 1
  double high = spread - (spread - value);
  double low = value - high;
  double error = (high * kMillion - product) + low * kMillion;
  double floor = std::floor(product);
  double fraction = product - floor;  // exact below 2^52
  // Rounding cannot carry the product across a half, which is a double
  // itself; it can only land on one, and then the error says which side
  // the exact product lies on.
  bool up = fraction > 0.5;
  if (fraction == 0.5) up = error > 0 || (error == 0 && std::fmod(floor, 2.0) != 0);
  return static_cast<std::int64_t>(floor) + (up ? 1 : 0);
}

std::size_t WriteUnsigned(std::uint64_t value, char* out) {
  char reversed[20];
  std::size_t n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (std::size_t i = 0; i < n; ++i) out[i] = reversed[n - 1 - i];
  return n;
}

}  // namespace

std::size_t FormatDecimal(double value, char* out) {
  if (!(std::fabs(value) <= kLimit)) value = 0;
  std::size_t n = 0;
  // Most coordinates are whole numbers: no rounding to do.
  double whole = std::trunc(value);
  if (whole == value) {
    if (value < 0) out[n++] = '-';
    return n + WriteUnsigned(static_cast<std::uint64_t>(std::fabs(value)), out + n);
  }
  std::int64_t millionths = RoundedMillionths(value);
  if (millionths < 0) out[n++] = '-';
  std::uint64_t magnitude = static_cast<std::uint64_t>(millionths < 0 ? -millionths : millionths);
  n += WriteUnsigned(magnitude / 1000000, out + n);
  std::uint64_t fraction = magnitude % 1000000;
  if (fraction == 0) return n;
  out[n++] = '.';
  for (std::uint64_t unit = 100000; fraction != 0; unit /= 10) {
    out[n++] = static_cast<char>('0' + fraction / unit);
    fraction %= unit;
  }
  return n;
}

}  // namespace morlune
