// The whole font: its tables, glyph order and character map, advances in
// output units, the pen and tolerance resolved, the glyph limit and
// hostile heights.
#include <gtest/gtest.h>

#include <cmath>

#include "convert/opentype/opentype_writer.h"
#include "convert/opentype/output_scale.h"
#include "convert/opentype/sfnt_file.h"
#include "sfnt_reader.h"

namespace morlune::convert {
namespace {

using testing::I16;
using testing::U16;
using testing::U32;

Glyph Stroke(Point from, Point to, double advance) {
  Glyph glyph;
  glyph.advance = {advance, 0};
  glyph.paths.push_back({from, {LineSegment{from, to}}});
  return glyph;
}

GlyphFont SmallFont(double capHeight) {
  GlyphFont font;
  font.name = "Small";
  font.capHeight = capHeight;
  font.depth = capHeight / 3;
  double u = capHeight / 21;
  font.glyphs.emplace_back(U'A', 0x41, Stroke({0, 0}, {7 * u, 21 * u}, 18 * u));
  font.glyphs.emplace_back(U'B', 0x42, Stroke({0, 0}, {0, 21 * u}, 16 * u));
  font.glyphs.emplace_back(U'\u00E9', 0xE9, Stroke({0, 0}, {10 * u, 10 * u}, 14 * u));
  return font;
}

// The advance of each glyph, from hmtx.
std::vector<std::uint32_t> Advances(const std::map<std::string, testing::TableEntry>& tables) {
  std::size_t glyphs = U16(tables.at("maxp").data, 4);
  std::size_t full = U16(tables.at("hhea").data, 34);
  std::vector<std::uint32_t> advances;
  for (std::size_t k = 0; k < glyphs; ++k) advances.push_back(U16(tables.at("hmtx").data, 4 * std::min(k, full - 1)));
  return advances;
}

TEST(OutputScale, WholeFactorsWhereNearEnough) {
  struct Case {
    double capHeight;
    double scale;
  };
  const Case cases[] = {
      {21, 65},                // 1356 / 21 = 64.57: 65 makes a capital 0.7% taller
      {127, 11},               // 10.68: 11 is 3% off
      {1356, 1},
      {1000, 1.356},           // 1 would be 26% short
      {6, 226},
      {0, 1356},               // no height: counted as 1
      {-5, 1356},
      {1e-300, kMostScale},
      {1e300, kLeastScale},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(OutputScale(c.capHeight), c.scale) << c.capHeight;
}

TEST(WriteOpenType, TablesGlyphsAndMap) {
  GlyphFont font = SmallFont(21);
  LossReport losses;
  OpenTypeFile file = WriteOpenType(font, {}, losses);
  EXPECT_TRUE(losses.Empty());
  EXPECT_EQ(TableChecksum(file.bytes), kWholeFontChecksum);
  std::vector<std::string> order;
  auto tables = testing::Tables(file.bytes, &order);
  const std::vector<std::string> expected = {"OS/2", "cmap", "glyf", "head", "hhea",
                                             "hmtx", "loca", "maxp", "name", "post"};
  EXPECT_EQ(order, expected);
  // .notdef, the added space, A, B, e acute.
  EXPECT_EQ(file.glyphs, 5u);
  EXPECT_EQ(U16(tables.at("maxp").data, 4), 5u);
  EXPECT_EQ(U16(tables.at("head").data, 18), kUnitsPerEm);
  // Advances times the whole factor 65; the space half a capital, 21 * 65 / 2
  // rounded; .notdef 0.8 of a capital.
  const std::vector<std::uint32_t> advances = {1092, 683, 18 * 65, 16 * 65, 14 * 65};
  EXPECT_EQ(Advances(tables), advances);
  EXPECT_EQ(file.scale, 65);
  EXPECT_DOUBLE_EQ(file.penWidth, 21 * 65 / 14.0);
  EXPECT_DOUBLE_EQ(file.tolerance, 21 * 65 * 0.005);
  EXPECT_LE(file.largestDeviation, file.tolerance);
  // The character map: space, A, B on glyphs 1 to 3 in one run... and e acute.
  auto cmap = tables.at("cmap").data;
  auto f4 = cmap.subspan(U32(cmap, 8));
  EXPECT_EQ(U16(f4, 6), 2u * 4);  // segments: U+0020, U+0041-42, U+00E9, closing
  EXPECT_EQ(U16(f4, 14), 0x20u);
  EXPECT_EQ(U16(f4, 16), 0x42u);
  EXPECT_EQ(U16(f4, 18), 0xE9u);
  // Vertical metrics reach past every glyph, the pen included.
  auto head = tables.at("head").data;
  auto os2 = tables.at("OS/2").data;
  EXPECT_GE(static_cast<std::int32_t>(U16(os2, 74)), I16(head, 42));
  EXPECT_GE(static_cast<std::int32_t>(U16(os2, 76)), -I16(head, 38));
  EXPECT_GE(I16(head, 42), 21 * 65 + file.penWidth / 2 - 1);  // B's stem and its cap
}

TEST(WriteOpenType, PenAndToleranceOptions) {
  struct Case {
    double pen;
    bool penPerCap;
    double tolerance;
    bool tolerancePerCap;
    double penUnits, toleranceUnits;
  };
  const Case cases[] = {
      {0.1, true, 0.01, true, 136.5, 13.65},  // shares of a capital of 21 * 65 units
      {1e9, false, 1e-9, false, kWidestPen, kFinestTolerance},
      {-1, false, std::nan(""), false, 1365 / 14.0, 1365 * 0.005},  // not positive: the defaults
  };
  for (const Case& c : cases) {
    GlyphFont font = SmallFont(21);
    OpenTypeOptions options{OpenTypeFlavour::kTrueType, c.pen, c.penPerCap, c.tolerance, c.tolerancePerCap, "", 0};
    LossReport losses;
    OpenTypeFile file = WriteOpenType(font, options, losses);
    EXPECT_DOUBLE_EQ(file.penWidth, c.penUnits) << c.pen;
    EXPECT_DOUBLE_EQ(file.tolerance, c.toleranceUnits) << c.pen;
  }
}

TEST(WriteOpenType, LossesOfTheFontsOwn) {
  struct Case {
    const char* name;
    GlyphFont font;
    LossKind kind;
    long long count;
    double largest;
  };
  // Scale 1.356: 857.14 and 761.90 go to 1162.29 and 1033.14, and come
  // back 0.211 and 0.105 short; 666.67 goes to 904 exactly.
  GlyphFont fractional = SmallFont(1000);
  GlyphFont vertical = SmallFont(21);
  vertical.glyphs[0].glyph.advance.y = 3;
  GlyphFont negative = SmallFont(21);
  negative.glyphs[1].glyph.advance.x = -4;
  GlyphFont unmapped = SmallFont(21);
  unmapped.glyphs.emplace(unmapped.glyphs.begin(), 0, 7, Stroke({0, 0}, {1, 1}, 5));
  unmapped.glyphs.emplace_back(static_cast<char32_t>(0xD800), 0xD800, Stroke({0, 0}, {1, 1}, 5));
  unmapped.glyphs.emplace_back(U'\uFFFF', 0xFFFF, Stroke({0, 0}, {1, 1}, 5));
  const double a = 18 * 1000.0 / 21;
  Case cases[] = {
      {"advances off the grid", fractional, LossKind::kAdvancesMoved, 2, std::round(a * 1.356) / 1.356 - a},
      {"a vertical advance", vertical, LossKind::kAdvancesMoved, 1, 3},
      {"a negative advance", negative, LossKind::kAdvancesMoved, 1, 4},
      {"no character, a surrogate, U+FFFF", unmapped, LossKind::kCodesDropped, 3, 0},
  };
  for (Case& c : cases) {
    LossReport losses;
    WriteOpenType(c.font, {}, losses);
    EXPECT_EQ(losses.Count(c.kind), c.count) << c.name;
    EXPECT_NEAR(losses.Largest(c.kind), std::fabs(c.largest), 1e-9) << c.name;
  }
}

TEST(WriteOpenType, AtMost65535GlyphsTheRestReported) {
  GlyphFont font;
  font.name = "Many";
  font.capHeight = 10;
  // Empty glyphs from U+0021: with .notdef and the added space, 65,542.
  for (char32_t c = 0x21; font.glyphs.size() < 65540; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    Glyph glyph;
    glyph.advance = {5, 0};
    font.glyphs.emplace_back(c, static_cast<std::uint32_t>(c), glyph);
  }
  LossReport losses;
  OpenTypeFile file = WriteOpenType(font, {}, losses);
  EXPECT_EQ(file.glyphs, 65535u);
  EXPECT_EQ(losses.Count(LossKind::kCodesDropped), 7);
  auto tables = testing::Tables(file.bytes);
  EXPECT_EQ(U16(tables.at("maxp").data, 4), 65535u);
  EXPECT_EQ(TableChecksum(file.bytes), kWholeFontChecksum);
}

TEST(WriteOpenType, HostileHeightsAndCoordinates) {
  struct Case {
    const char* name;
    double capHeight;
    double coordinate;
  };
  const Case cases[] = {
      {"no height", 0, 10},
      {"a height of NaN", std::nan(""), 10},
      {"a tiny height", 1e-300, 10},
      {"a huge height", 1e300, 10},
      {"coordinates at 2^31", 21, 2147483648.0},
  };
  for (const Case& c : cases) {
    GlyphFont font;
    font.capHeight = c.capHeight;
    font.glyphs.emplace_back(U'A', 0x41, Stroke({-c.coordinate, 0}, {c.coordinate, c.coordinate}, 5));
    LossReport losses;
    OpenTypeFile file = WriteOpenType(font, {}, losses);
    EXPECT_EQ(TableChecksum(file.bytes), kWholeFontChecksum) << c.name;
    auto head = testing::Tables(file.bytes).at("head").data;
    for (std::size_t at = 36; at <= 42; at += 2) EXPECT_LE(std::abs(I16(head, at)), 16383) << c.name;
  }
}

}  // namespace
}  // namespace morlune::convert
