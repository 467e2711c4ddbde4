// The files' numbers, written by the drawing's fast writer, against the C
// library's rounding of the same rule; and the largest error of an
// imported font, which trusts the placing only where the drawing is what
// was placed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "convert/import_measure.h"
#include "convert/number_format.h"
#include "tests/convert/convert_support.h"

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
  GridGlyph placed;
  placed.largestError = 0.3;
  GridGlyph arcPlaced;
  arcPlaced.largestError = 0.25;  // what a wrong model would say
  const struct {
    const char* what;
    std::vector<WrittenGlyph> glyphs;
    double largest;
  } rows[] = {
      {"straight, drawn as placed", {{&h, &placed, &asPlaced}}, 0.3},
      {"straight, drawn otherwise", {{&h, &placed, &lowBar}}, 2.3},
      {"an arc drawn as its chord", {{&h, &placed, &asPlaced}, {&arc, &arcPlaced, &chord}}, 4},
      {"a glyph the font lacks", {{&arc, &arcPlaced, nullptr}, {&h, &placed, &asPlaced}}, 0.3},
  };
  for (const auto& row : rows) {
    EXPECT_NEAR(LargestWrittenError(row.glyphs, 1), row.largest, 0.01) << row.what;
  }
}

}  // namespace
}  // namespace morlune::convert
