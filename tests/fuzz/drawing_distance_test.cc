// The measure the export target holds a round trip to: how far two
// drawings lie apart whatever the order and direction of their pieces,
// worked out by hand from the geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

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

// Every sample point of `from` (step apart along each piece, as the
// measure takes them) against every piece of `to`.
double EveryPointMeasured(const Polylines& from, const Polylines& to, double step) {
  auto toPiece = [](Point p, Point a, Point b) {
    double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
  };
  auto nearest = [&](Point p) {
    double best = std::numeric_limits<double>::infinity();
    for (const auto& line : to) {
      if (line.size() == 1) best = std::min(best, std::hypot(p.x - line[0].x, p.y - line[0].y));
      for (std::size_t k = 1; k < line.size(); ++k) best = std::min(best, toPiece(p, line[k - 1], line[k]));
    }
    return best;
  };
  double farthest = 0;
  for (const auto& line : from) {
    if (line.empty()) continue;
    farthest = std::max(farthest, nearest(line[0]));
    for (std::size_t k = 1; k < line.size(); ++k) {
      Point a = line[k - 1], b = line[k];
      int samples = static_cast<int>(std::ceil(std::hypot(b.x - a.x, b.y - a.y) / step));
      for (int s = 1; s <= samples; ++s) {
        double t = static_cast<double>(s) / samples;
        farthest = std::max(farthest, nearest({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}));
      }
    }
  }
  return farthest;
}

TEST(DrawingDistance, PointsPassedOverCannotBeTheFarthest) {
  // Wavy lines near straight ones, some leaving them late: the points the
  // measure passes over, bounded by the last one measured and the way
  // walked since, never hold the answer.
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> jitter(-0.3, 0.3);
  for (int round = 0; round < 30; ++round) {
    Polylines from(2), to(2);
    for (int k = 0; k <= 30; ++k) {
      double late = round % 3 == 0 && k > 25 ? (k - 25) * 0.8 : 0;
      from[0].push_back({k * 0.5, jitter(random) + late});
      to[0].push_back({k * 0.5 + jitter(random) / 4, 0});
      from[1].push_back({4 + jitter(random) / 2, k * 0.7});
      to[1].push_back({4, k * 0.7});
    }
    for (double step : {0.05, 0.3}) {
      EXPECT_NEAR(DirectedDistance(from, to, step), EveryPointMeasured(from, to, step), 1e-12) << round;
      EXPECT_NEAR(DirectedDistance(to, from, step), EveryPointMeasured(to, from, step), 1e-12) << round;
    }
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
