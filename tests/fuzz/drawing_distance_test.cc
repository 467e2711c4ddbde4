// The measure the export target holds a round trip to: how far two
// drawings lie apart whatever the order and direction of their pieces,
// worked out by hand from the geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fuzz/drawing_distance.h"

namespace morlune::fuzzing {
namespace {

TEST(DrawingDistance, FarthestPointOfOneFromTheOther) {
  const double infinity = std::numeric_limits<double>::infinity();
  const struct {
    const char* what;
    Polylines from, to;
    double expected;
  } rows[] = {
      {"the same piece drawn the other way", {{{0, 0}, {10, 0}}}, {{{10, 0}, {0, 0}}}, 0},
      {"a gap of 2 in the middle: its centre is 1 away", {{{0, 0}, {10, 0}}}, {{{0, 0}, {4, 0}}, {{6, 0}, {10, 0}}}, 1},
      {"the pieces with the gap lie on the whole one", {{{0, 0}, {4, 0}}, {{6, 0}, {10, 0}}}, {{{0, 0}, {10, 0}}}, 0},
      {"a piece 3 above", {{{0, 3}, {10, 3}}}, {{{0, 0}, {10, 0}}}, 3},
      {"a lone point, 5 from the end of a piece", {{{13, 4}}}, {{{0, 0}, {10, 0}}}, 5},
      {"ink against nothing", {{{0, 0}, {1, 0}}}, {}, infinity},
      {"nothing against ink", {}, {{{0, 0}, {1, 0}}}, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_DOUBLE_EQ(DirectedDistance(row.from, row.to, 0.5), row.expected);
  }
}

TEST(DrawingDistance, ArcsAreCutIntoPiecesThatSayHowFarTheyStray) {
  // A half circle of radius 2 about the origin against the two chords
  // through its top: the arc's point at 45 degrees lies 2 - sqrt(2) from
  // the chord below it, the chord's midpoint as far from the arc. Cut into 32 pieces of 1/32 of a half turn, the arc
  // strays 2 (1 - cos(pi / 64)) from them.
  Glyph glyph;
  glyph.paths.push_back(Path{{2, 0}, {ArcSegment{{2, 0}, {-2, 0}, {0, 0}, 2, 2, 180}}});
  double flattening = 0;
  Polylines arc = GlyphPolylines(glyph, 1, flattening);
  const double pi = std::acos(-1.0);
  EXPECT_DOUBLE_EQ(flattening, 2 * (1 - std::cos(pi / 64)));
  ASSERT_EQ(arc.size(), 1u);
  EXPECT_EQ(arc[0].size(), 33u);
  Polylines chords{{{2, 0}, {0, 2}, {-2, 0}}};
  // Either way: the chords' midpoints lie as far inside the circle.
  EXPECT_NEAR(DirectedDistance(arc, chords, 0.01), 2 - std::sqrt(2.0), flattening + 0.005);
  EXPECT_NEAR(DirectedDistance(chords, arc, 0.01), 2 - std::sqrt(2.0), flattening + 0.005);

  // Scaled by 3, every point lands three times as far out.
  Polylines scaled = GlyphPolylines(glyph, 3, flattening);
  EXPECT_DOUBLE_EQ(scaled[0].back().x, -6);
  EXPECT_DOUBLE_EQ(flattening, 6 * (1 - std::cos(pi / 64)));
}

TEST(DrawingDistance, AnArcSquashedFlatStartsWhereItsEndsSay) {
  // A circle of radius 2 squashed by its frame onto one line: only the end
  // tells which of two angles the start has, and the arc covers the line
  // between its ends and the top or the side it passes. Across y = 1: from
  // 30 degrees on the circle (y = 1) a quarter turn to 120 (y = sqrt 3),
  // over the top (y = 2). Along x about (0, 1): from 60 degrees (x = 1)
  // clockwise to -30 (x = sqrt 3), through 0 (x = 2).
  const double root3 = std::sqrt(3.0);
  const struct {
    const char* what;
    ArcSegment arc;
    Polylines covered;
  } rows[] = {
      {"no width", {{1, 1}, {1, root3}, {1, 0}, 0, 2, 90}, {{{1, 1}, {1, 2}}}},
      {"no height", {{1, 1}, {root3, 1}, {0, 1}, 2, 0, -90}, {{{1, 1}, {2, 1}}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Glyph glyph;
    glyph.paths.push_back(Path{row.arc.from, {row.arc}});
    double flattening = 0;
    Polylines arc = GlyphPolylines(glyph, 1, flattening);
    EXPECT_NEAR(DirectedDistance(arc, row.covered, 0.01), 0, 1e-12);
    EXPECT_NEAR(DirectedDistance(row.covered, arc, 0.01), 0, flattening + 0.005);
  }
}

TEST(DrawingDistance, InkLostWholeIsOffByItsLargestMark) {
  // A dot far off and a 3-4-5 stroke: the marks are 0 and 5 long, however
  // far apart they stand.
  Polylines marks{{{100, 100}}, {{0, 0}, {3, 4}}};
  EXPECT_DOUBLE_EQ(Extent(marks), 5);
  EXPECT_DOUBLE_EQ(TotalLength(marks), 5);
  EXPECT_EQ(PieceCount(marks), 2u);
}

}  // namespace
}  // namespace morlune::fuzzing
