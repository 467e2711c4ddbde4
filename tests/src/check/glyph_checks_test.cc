// What a glyph reaches, arcs included, and how the drawing's warnings
// become findings told once per font.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "check/glyph_checks.h"

namespace morlune::check {
namespace {

Glyph WithSegment(Segment segment) {
  Glyph glyph;
  glyph.paths.push_back({{0, 0}, {segment}});
  return glyph;
}

// An arc of the circle of radius r around the origin (or an ellipse with
// signed axes), from angle a by the sweep, both in degrees.
ArcSegment Arc(double axisX, double axisY, double a, double sweep) {
  const double kRadians = std::acos(-1) / 180;
  auto at = [&](double t) { return Point{axisX * std::cos(t * kRadians), axisY * std::sin(t * kRadians)}; };
  return {at(a), at(a + sweep), {0, 0}, axisX, axisY, sweep};
}

TEST(GlyphBox, LinesAndArcs) {
  struct Row {
    const char* what;
    Segment segment;
    double low, high;
  };
  const double r = std::sqrt(0.5);
  const Row rows[] = {
      {"a line", LineSegment{{1, -2}, {3, 5}}, -2, 5},
      {"a half circle counterclockwise from 0", Arc(1, 1, 0, 180), 0, 1},
      {"a half circle clockwise from 0", Arc(1, 1, 0, -180), -1, 0},
      {"an eighth from 0, short of the top", Arc(1, 1, 0, 45), 0, r},
      {"from 80 over the top to 100", Arc(2, 2, 80, 20), 2 * std::sin(80 * std::acos(-1) / 180), 2},
      {"from 350 through 0 to 10", Arc(1, 1, 350, 20), std::sin(-10 * std::acos(-1) / 180), std::sin(10 * std::acos(-1) / 180)},
      {"a mirrored half circle: y flips", Arc(1, -1, 0, 180), -1, 0},
      {"a stretched half from 180 clockwise over the top", Arc(3, 2, 180, -180), 0, 2},
      {"from 200 counterclockwise past the bottom", Arc(1, 1, 200, 100), -1, std::sin(200 * std::acos(-1) / 180)},
  };
  for (const Row& row : rows) {
    Box box = GlyphBox(WithSegment(row.segment));
    ASSERT_FALSE(box.empty) << row.what;
    EXPECT_NEAR(box.min.y, row.low, 1e-12) << row.what;
    EXPECT_NEAR(box.max.y, row.high, 1e-12) << row.what;
  }
  EXPECT_TRUE(GlyphBox(Glyph{}).empty);
}

GlyphWarning Warned(GlyphWarningKind kind, std::uint32_t code) { return {kind, code, 1, ""}; }

TEST(GlyphChecker, AWarningIsToldOnceForTheFont) {
  FontFacts facts;
  facts.hasHeader = true;
  facts.height = 6;
  GlyphChecker checker(facts);
  std::vector<Finding> findings;
  for (std::uint32_t code : {0x41u, 0x42u, 0x43u}) {
    Glyph glyph;
    glyph.code = code;
    glyph.warnings = {Warned(GlyphWarningKind::kNoSuchShape, 0x99), Warned(GlyphWarningKind::kCutShort, code)};
    if (code == 0x43) glyph.warnings.push_back(Warned(GlyphWarningKind::kNoSuchShape, 0x98));
    checker.Check(glyph, findings);
  }
  checker.Finish(findings);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(std::tie(findings[0].id, *findings[0].code), std::make_tuple(FindingId::kMissingSubshape, 0x41u));
  EXPECT_NE(findings[0].text.find("0099, which no record has; it is not drawn (and in 2 other glyphs)"), std::string::npos);
  EXPECT_EQ(std::tie(findings[1].id, *findings[1].code), std::make_tuple(FindingId::kMissingSubshape, 0x43u));
  EXPECT_EQ(findings[1].text.find("other glyph"), std::string::npos);
}

// Glyphs past the height are told once, at the farthest, with their count;
// those past the whole body apart from them.
TEST(GlyphChecker, ReachIsToldOnceAtTheFarthest) {
  FontFacts facts;
  facts.hasHeader = true;
  facts.height = 6;
  facts.depth = 2;
  GlyphChecker checker(facts);
  std::vector<Finding> findings;
  const std::pair<std::uint32_t, double> tops[] = {{0x41, 7}, {0x42, 9}, {0x43, 6.5}, {0x44, 20}, {0x45, 5}};
  for (const auto& [code, top] : tops) {
    Glyph glyph = WithSegment(LineSegment{{0, 0}, {0, top}});
    glyph.code = code;
    checker.Check(glyph, findings);
  }
  checker.Finish(findings);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(std::tie(findings[0].id, *findings[0].code), std::make_tuple(FindingId::kAboveHeight, 0x42u));
  EXPECT_EQ(findings[0].text, "the glyph reaches 3 units above the font's height of 6 units (the farthest of 3 glyphs "
                              "that do)");
  EXPECT_EQ(std::tie(findings[1].id, *findings[1].code), std::make_tuple(FindingId::kFarAboveHeight, 0x44u));
  EXPECT_EQ(findings[1].text, "the glyph reaches 14 units above the font's height of 6 units, more than the font's "
                              "body (height and depth) of 8 units");
}

// The height, the depth and the vertical mode come from the font-header
// record; without one, or with a height of 0, nothing is measured against it.
TEST(GlyphChecker, BoundsOfTheHeader) {
  struct Row {
    bool hasHeader;
    int height, depth, modes;
    Point advance;
    double low, high;
    std::vector<FindingId> expected;
  };
  const Row rows[] = {
      {true, 6, 2, 0, {4, 0}, -2, 6.0000001, {}},  // arcs' rounding
      {true, 6, 2, 0, {4, 0}, -2.5, 6.5, {FindingId::kAboveHeight, FindingId::kBelowDepth}},
      // The body, height and depth, is 8: a glyph may pass either bound by
      // as much before it is far.
      {true, 6, 2, 0, {4, 0}, -10, 14, {FindingId::kAboveHeight, FindingId::kBelowDepth}},
      {true, 6, 2, 0, {4, 0}, -2, 14.5, {FindingId::kFarAboveHeight}},
      {true, 6, 2, 0, {4, 0}, -10.5, 6, {FindingId::kFarBelowDepth}},
      {true, 6, 0, 0, {4, 0}, -6.5, 12.5, {FindingId::kFarAboveHeight, FindingId::kFarBelowDepth}},
      {false, 6, 2, 0, {4, 0}, -9, 9, {}},
      {true, 0, 2, 0, {4, 0}, -9, 9, {}},
      {true, 6, 2, 2, {4, 1}, 0, 1, {}},  // vertical forms
  };
  for (const Row& row : rows) {
    FontFacts facts;
    facts.hasHeader = row.hasHeader;
    facts.height = row.height;
    facts.depth = row.depth;
    facts.modes = row.modes;
    GlyphChecker checker(facts);
    Glyph glyph = WithSegment(LineSegment{{0, row.low}, {0, row.high}});
    glyph.advance = row.advance;
    std::vector<Finding> findings;
    checker.Check(glyph, findings);
    checker.Finish(findings);
    std::vector<FindingId> ids;
    for (const Finding& finding : findings) ids.push_back(finding.id);
    EXPECT_EQ(ids, row.expected) << row.low << " " << row.high << " " << row.advance.x;
  }
}

}  // namespace
}  // namespace morlune::check
