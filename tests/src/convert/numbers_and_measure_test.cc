// The files' numbers, written by the drawing's fast writer, against the C
// library's rounding of the same rule; the distance between polylines
// against every sample taken; and the largest error of an imported font,
// which trusts the placing only where the drawing is what was placed.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "convert/arc_math.h"
#include "convert/svg/decimal_read.h"
#include "convert/import/import_measure.h"
#include "convert/number_format.h"
#include "convert/import/stroke_distance.h"
#include "tests/src/convert/convert_support.h"

namespace morlune::convert {
namespace {

// The rule as the C library applies it: fixed notation, trailing zeros and
// point dropped, no "-0".
std::string Printed(double value, int decimals) {
  char text[512];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s == "-0" ? "0" : s;
}

std::string Written(double value) {
  std::string text;
  TextOutput out;
  out.AttachCapture(&text);
  WriteDecimal(out, value);
  out.Finish();
  return text;
}

TEST(DecimalText, TheFastWriterKeepsThePrintedRule) {
  // Halves of the last decimal that a double holds exactly go to even;
  // tiny negatives are 0; past 2^32 the printed digits stay.
  const double values[] = {0, -0.0, 1, -1, 0.5, 1.0 / 128, 3.0 / 128, -5.0 / 128, 1e-7, -4e-7, 0.1, 2.675,
                           123456.7890125, 4294967295.5, 4294967297.25, -1e12, 1e300, 3.9999995, 0.0000005};
  for (double value : values) {
    SCOPED_TRACE(value);
    EXPECT_EQ(DecimalText(value, 6), Printed(value, 6));
    EXPECT_EQ(Written(value), Printed(value, 6));
  }
  std::mt19937_64 random(18);
  std::uniform_real_distribution<double> spread(-5000, 5000);
  for (int k = 0; k < 20000; ++k) {
    double value = spread(random);
    ASSERT_EQ(Written(value), Printed(value, 6)) << value;
    // A value rounded to five decimals, as the LFF writer rounds, comes
    // out as five decimals print it.
    double five = std::round(value * 1e5) / 1e5;
    std::string appended;
    AppendDecimalText(appended, five);
    ASSERT_EQ(appended, Printed(five, 5)) << five;
  }
}

TEST(DecimalRead, ReadsAsFromCharsDoes) {
  // The short plain decimals taken without from_chars, and what it must
  // still read: exponents, 19 digits and more, a lone point, a point with
  // nothing after, signs, a tail of text.
  std::vector<std::string> texts = {"0",      "-0",        "12",          "-3.25",  "0.1",   "123.456,7", "5.",
                                    ".5",     "-.5",       "1e3",         "2.5E-2", "1.5e",  "-",         "x",
                                    "1.2.3",  "9007199254740993", "9007199254740992.5", "0.00000000000000000000001",
                                    "1234567890123456789012", "3.14159265358979323846264", "7 8", "1-2"};
  std::mt19937_64 random(21);
  for (int k = 0; k < 20000; ++k) {
    std::string digits = std::to_string(static_cast<long long>(random() % 2000000) - 1000000);
    std::size_t back = random() % 6;
    std::size_t cut = k % 3 != 0 && back < digits.size() ? digits.size() - back : digits.size();
    std::string text(digits, 0, cut);
    if (cut < digits.size()) text.push_back('.');
    text.append(digits, cut, std::string::npos);
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    const char* last = text.data() + text.size();
    double fast = -7, slow = -7;
    auto [fastEnd, fastError] = ReadDecimal(text.data(), last, fast);
    auto [slowEnd, slowError] = std::from_chars(text.data(), last, slow);
    ASSERT_EQ(fastEnd, slowEnd) << text;
    ASSERT_TRUE(fastError == slowError) << text;
    ASSERT_EQ(std::signbit(fast), std::signbit(slow)) << text;
    ASSERT_TRUE(fast == slow || (std::isnan(fast) && std::isnan(slow))) << text;
  }
}

TEST(NearestGridUnit, RoundsHalvesAwayFromZeroWithinTenMillion) {
  const double values[] = {0, -0.0, 0.3, -0.3, 0.5, -0.5, 2.5, -2.5, 0.49999999999999994, 1e7 - 0.5, 3e7, -3e7};
  for (double value : values) {
    double expected = std::round(std::clamp(value, -1e7, 1e7));
    EXPECT_EQ(NearestGridUnit(value), expected) << value;
    EXPECT_EQ(std::signbit(NearestGridUnit(value)), std::signbit(expected)) << value;
  }
  EXPECT_TRUE(std::isnan(NearestGridUnit(NAN)));
}

// Every sample of one side against every piece of the other: the rule
// with nothing passed over.
double BruteDistance(const std::vector<std::vector<Point>>& a, const std::vector<std::vector<Point>>& b, double step) {
  auto oneWay = [step](const std::vector<std::vector<Point>>& from, const std::vector<std::vector<Point>>& to) {
    double farthest = 0;
    for (const auto& line : from) {
      for (std::size_t k = 0; k + 1 < line.size(); ++k) {
        Point p0 = line[k], p1 = line[k + 1];
        int samples = std::max(1, static_cast<int>(std::ceil(std::hypot(p1.x - p0.x, p1.y - p0.y) / step)));
        for (int s = 0; s <= samples; ++s) {
          double t = static_cast<double>(s) / samples;
          Point p{p0.x + t * (p1.x - p0.x), p0.y + t * (p1.y - p0.y)};
          double nearest = HUGE_VAL;
          for (const auto& other : to) {
            for (std::size_t j = 0; j + 1 < other.size(); ++j) {
              nearest = std::min(nearest, DistanceToSegment(p, other[j], other[j + 1]));
            }
          }
          farthest = std::max(farthest, nearest);
        }
      }
    }
    return farthest;
  };
  return std::max(oneWay(a, b), oneWay(b, a));
}

// The largest distance between polylines, not that of their samples: a
// sampling every thousandth of a unit misses the largest by at most half
// that, and the answer lies between what it finds and that much above (plus
// the search's own slack of a ten-thousandth). Passing over samples, a
// floor and a stop keep that.
TEST(PolylineDistance, BoundsTheLargestDistanceBetweenSamples) {
  constexpr double kFine = 1e-3, kAbove = kFine / 2 + 1e-4 + 1e-12;
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> jitter(-0.4, 0.4);
  for (int round = 0; round < 6; ++round) {
    std::vector<std::vector<Point>> a(2), b(2);
    for (int k = 0; k <= 40; ++k) {
      a[0].push_back({k * 0.7, jitter(random)});
      b[0].push_back({k * 0.7 + jitter(random) / 4, jitter(random) / 2});
      a[1].push_back({3 + jitter(random), k * 0.5});
      b[1].push_back({3, k * 0.5});
    }
    if (round % 3 == 0) b[1].push_back({9, 30});
    double fine = BruteDistance(a, b, kFine);
    double found = PolylineDistance(a, b, 0.125);
    EXPECT_GE(found, fine) << round;
    EXPECT_LE(found, fine + kAbove) << round;
    // A floor below it changes nothing; above it, the floor is the answer.
    EXPECT_NEAR(PolylineDistance(a, b, 0.125, found / 2), found, kAbove) << round;
    EXPECT_EQ(PolylineDistance(a, b, 0.125, found + 1), found + 1) << round;
    // Asked only whether it passes a bound: past one below it, at most it.
    double past = PolylineDistance(a, b, 0.125, 0, found / 2);
    EXPECT_GT(past, found / 2) << round;
    EXPECT_LE(past, fine + kAbove) << round;
  }
  // A line of length 1 against dots at its two ends: its middle lies 0.5
  // from both, between the samples a third apart (which find a third).
  std::vector<std::vector<Point>> line{{{0, 0}, {1, 0}}}, dots{{{0, 0}}, {{1, 0}}};
  double middle = PolylineDistance(line, dots, 0.4);
  EXPECT_GE(middle, 0.5);
  EXPECT_LE(middle, 0.5 + 1e-4 + 1e-12);
}

// The measure holds the drawing against the curves read, not against the
// chords of their samples: a quadratic from (0, 0) to (10, 0) pulled by
// (5, 4) peaks at (5, 2), so the chord drawn lies 2 from it, though the
// one sample (its end) lies on the chord. A dot lost whole has no distance
// that bounds it.
TEST(MeasuredError, CurvesReadAreFollowedNotTheirSamples) {
  StrokeGlyph curve;
  Stroke& stroke = curve.strokes.emplace_back();
  stroke.vertices = {{0, 0, 0, false}, {10, 0, 0, true}};
  stroke.curves = {{0, 1, SmoothCurve::Quadratic({0, 0}, {5, 4}, {10, 0})}};
  std::vector<Path> chord{{{0, 0}, {LineSegment{{0, 0}, {10, 0}}}}};
  double error = MeasuredError(curve, 1, chord);
  EXPECT_GE(error, 2);
  EXPECT_LE(error, 2 + 1e-3 + 1e-4 + 1e-9);
  // Scaled by 3 on the way to the grid: 6.
  std::vector<Path> chord3{{{0, 0}, {LineSegment{{0, 0}, {30, 0}}}}};
  EXPECT_NEAR(MeasuredError(curve, 3, chord3), 6, 1e-3 + 1e-4);

  StrokeGlyph dot;
  dot.strokes.push_back({{{4, 4, 0, false}, {4, 4, 0, false}}});
  EXPECT_EQ(MeasuredError(dot, 1, {}), HUGE_VAL);
}

StrokeGlyph Straight(std::vector<std::vector<Point>> lines, double advance) {
  StrokeGlyph glyph;
  glyph.advance = advance;
  for (const auto& line : lines) {
    Stroke& stroke = glyph.strokes.emplace_back();
    for (Point p : line) stroke.vertices.push_back({p.x, p.y, 0, false});
  }
  return glyph;
}

TEST(LargestWrittenError, TrustsThePlacingOnlyWhereTheDrawingIsWhatWasPlaced) {
  using testing::LinesGlyph;
  // An H whose bar's ends lie 0.3 off the grid: placed, it strays by them.
  StrokeGlyph h = Straight({{{0, 0}, {0, 10}}, {{0, 5.3}, {8, 5.3}}, {{8, 0}, {8, 10}}}, 10);
  // Drawn as placed: the bar split in two at a stop, as a long move is.
  Glyph asPlaced = LinesGlyph('H', {10, 0}, {{{0, 0}, {0, 10}}, {{0, 5}, {4, 5}, {8, 5}}, {{8, 0}, {8, 10}}});
  // Drawn otherwise: the bar 2 units too low, whatever the placing said.
  Glyph lowBar = LinesGlyph('H', {10, 0}, {{{0, 0}, {0, 10}}, {{0, 3}, {8, 3}}, {{8, 0}, {8, 10}}});
  // An arc's glyph is measured on its drawing: a half circle of radius 4
  // read, drawn as its chord, strays by the radius.
  StrokeGlyph arc;
  arc.strokes.push_back({{{0, 0, 0, false}, {8, 0, 1, false}}});
  Glyph chord = LinesGlyph('C', {8, 0}, {{{0, 0}, {8, 0}}});
  // An i whose dot the grid rounds to a single point: the drawing shows no
  // dot, so the dot's ink lies 4.2 from the stem, whatever its rounding.
  StrokeGlyph i = Straight({{{4, 0}, {4, 6}}, {{4, 9.6}, {4, 10.2}}}, 8);
  Glyph stemOnly = LinesGlyph('i', {8, 0}, {{{4, 0}, {4, 6}}});
  // An L whose vertices all lie on the grid: its items hold it exactly,
  // and no drawing is asked for (the one given would say 2).
  StrokeGlyph l = Straight({{{0, 10}, {0, 0}, {6, 0}}}, 8);
  GridGlyph onGrid;
  GridGlyph placed;
  placed.largestError = 0.3;
  GridGlyph dotPlaced;
  dotPlaced.largestError = 0.4;
  GridGlyph arcPlaced;
  arcPlaced.largestError = 0.25;  // what a wrong model would say
  struct Written {
    const StrokeGlyph* read;
    const GridGlyph* placed;
    const Glyph* drawn;  // null: the font has no such glyph
  };
  const struct {
    const char* what;
    std::vector<Written> glyphs;
    double largest;
    const StrokeGlyph* worst;  // the glyph named for it
  } rows[] = {
      {"straight, drawn as placed", {{&h, &placed, &asPlaced}}, 0.3, &h},
      {"straight, drawn otherwise", {{&h, &placed, &lowBar}}, 2.3, &h},
      {"an arc drawn as its chord", {{&h, &placed, &asPlaced}, {&arc, &arcPlaced, &chord}}, 4, &arc},
      {"a glyph the font lacks", {{&arc, &arcPlaced, nullptr}, {&h, &placed, &asPlaced}}, 0.3, &h},
      {"a stroke rounded to a point", {{&i, &dotPlaced, &stemOnly}}, 4.2, &i},
      {"on the grid", {{&l, &onGrid, &lowBar}}, 0, nullptr},
  };
  // Glyph k has code k + 1.
  struct Drawing : WrittenDrawing {
    std::optional<std::span<const Path>> Draw(std::uint32_t code) override {
      const Glyph* glyph = glyphs->at(code - 1).drawn;
      if (glyph == nullptr) return std::nullopt;
      return glyph->paths;
    }
    const std::vector<Written>* glyphs = nullptr;
  } drawing;
  for (const auto& row : rows) {
    std::vector<WrittenGlyph> glyphs;
    for (const Written& glyph : row.glyphs) {
      glyphs.push_back({glyph.read, glyph.placed, static_cast<std::uint32_t>(glyphs.size() + 1)});
    }
    drawing.glyphs = &row.glyphs;
    WrittenError largest = LargestWrittenError(glyphs, 1, drawing);
    EXPECT_NEAR(largest.distance, row.largest, 0.01) << row.what;
    EXPECT_EQ(largest.glyph, row.worst) << row.what;
  }
}

}  // namespace
}  // namespace morlune::convert
