// Numbers as the listing and the pictures write them, against the standard
// library's exactly rounded fixed notation over many generated values, so
// that every short path gives what the general rounding gives.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "drawing/number_text.h"
#include "drawing/path_text.h"
#include "drawing/svg_path_text.h"

namespace morlune::testing {
namespace {

// The value to `decimals` places by std::to_chars (ties to even on the
// exact binary value), without trailing zeros, a trailing point or "-0".
std::string Expected(double value, int decimals) {
  char text[64];
  auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  std::string out(text, written.ptr);
  if (out.find('.') != std::string::npos) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  return out == "-0" ? "0" : out;
}

// Within 2^32: wholes, halves and 1/64 steps (written with no rounding), values next to
// the half-millionths where rounding decides, arcs' arbitrary values, and
// the ends of the range.
std::vector<double> GeneratedValues() {
  std::vector<double> values;
  std::mt19937_64 random(20261206);
  for (int i = 0; i < 20000; ++i) {
    double sixtyFourths = static_cast<double>(static_cast<std::int64_t>(random() % (1ULL << 38)) - (1LL << 37));
    values.push_back(sixtyFourths / 64);
    values.push_back(static_cast<double>(static_cast<int>(random() % 4001) - 2000) / 2);
    double half = (static_cast<double>(random() % 2000000000) + 0.5) / 1e6;
    values.push_back(std::nextafter(half, 0.0));
    values.push_back(half);
    values.push_back(-std::nextafter(half, 1e300));
    values.push_back(std::ldexp(static_cast<double>(random() >> 11), -21 - static_cast<int>(random() % 70)));
  }
  for (double edge : {0.0, -0.0, -0.0000004, 4294967296.0, -4294967296.0, 4294967295.5, 1e-300, 0.0000005, 999.9999995}) {
    values.push_back(edge);
  }
  return values;
}

TEST(DecimalText, EveryPathAgreesWithExactRounding) {
  for (double value : GeneratedValues()) {
    char out[kDecimalRoom];
    ASSERT_EQ(std::string(out, FormatDecimal(value, out)), Expected(value, kListingDecimals)) << value;
  }
}

// A picture's relative numbers: small wholes come from a table, the rest
// by division; each decimal count, either sign, either side of 1000.
TEST(SvgPathNumbers, EveryPathAgreesWithExactRounding) {
  std::mt19937_64 random(6);
  std::vector<std::int64_t> units = {0, 1, 9, 10, 99, 100, 999, 1000, 1001, 9999, 10000, 4294967296LL * 1000000};
  for (int i = 0; i < 2000; ++i) {
    units.push_back(static_cast<std::int64_t>(random() % 20000));
    units.push_back(static_cast<std::int64_t>(random() % (1ULL << 42)));
  }
  for (int decimals = 0; decimals <= kListingDecimals; ++decimals) {
    double perUnit = std::pow(10.0, -decimals);
    for (std::int64_t unit : units) {
      for (std::int64_t signedUnit : {unit, -unit}) {
        // Whole font units stay exact; rounding a fraction of one back to
        // units gives the same units.
        double x = static_cast<double>(signedUnit) * perUnit;
        if (std::fabs(x) > 4294967296.0) continue;
        SvgPathText path(decimals);
        Path line{{0, 0}, {LineSegment{{0, 0}, {x, 0}}}};
        path.Write({&line, 1});
        std::string number = Expected(static_cast<double>(signedUnit) / std::pow(10.0, decimals), decimals);
        ASSERT_EQ(path.Text(), "m0 0" + std::string(signedUnit < 0 ? "" : " ") + number + " 0")
            << decimals << " decimals, " << signedUnit << " units";
      }
    }
  }
}

// The drawing never hands the writers a value past 2^32 or one that is not
// finite; were it to, each is written as 0 rather than converted to an
// integer it does not fit.
TEST(NumberWriters, AnyDoubleIsWrittenWithinTwoToThe32OrAsZero) {
  const double kInfinity = std::numeric_limits<double>::infinity();
  const std::pair<double, const char*> rows[] = {
      {std::numeric_limits<double>::quiet_NaN(), "0"}, {kInfinity, "0"}, {-kInfinity, "0"},
      {1e300, "0"}, {-1e19, "0"}, {std::nextafter(4294967296.0, 1e300), "0"},
      {4294967296.0, "4294967296"}, {-4294967296.0, "-4294967296"},
  };
  for (const auto& [value, text] : rows) {
    char out[kDecimalRoom];
    EXPECT_EQ(std::string(out, FormatDecimal(value, out)), text) << value;
    // A line from the origin: the move to it, then the line's two relative
    // numbers, at 2 decimals.
    SvgPathText path(2);
    path.Line({0, 0}, {value, -value});
    std::string negated = text == std::string("0") ? "0" : text[0] == '-' ? text + 1 : std::string("-").append(text);
    EXPECT_EQ(path.Text(), "m0 0" + std::string(text[0] == '-' ? "" : " ") + text +
                               (negated[0] == '-' ? "" : " ") + negated)
        << value;
  }
}

// Both writers put the flags of the one reading of an arc (ArcEllipse's test) in
// their places: a large arc of a frame that mirrors x, clockwise as drawn.
TEST(NumberWriters, ArcFlagsInTheirPlaces) {
  const ArcSegment arc{{0, 0}, {1, 1}, {1, 0}, -2, 2, 270};
  PathText listing;
  listing.Arc(arc);
  EXPECT_EQ(listing.Text(), "M 0 0 A 2 2 0 1 0 1 1");
  SvgPathText picture(0);
  picture.Arc(arc);
  EXPECT_EQ(picture.Text(), "m0 0a2 2 0 1 0 1 1");
}

}  // namespace
}  // namespace morlune::testing
