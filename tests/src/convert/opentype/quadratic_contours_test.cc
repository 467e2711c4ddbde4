// Polygons to TrueType contours: lines kept straight, circles as few
// quadratic pieces within the tolerance, whole units with implied points,
// and the area of quadratic contours.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "convert/opentype/quadratic_contours.h"

namespace morlune::convert {
namespace {

constexpr double kPi = std::numbers::pi;

std::vector<Point> RegularPolygon(double radius, int sides) {
  std::vector<Point> points;
  for (int k = 0; k < sides; ++k) {
    double a = 2 * kPi * k / sides;
    points.push_back({radius * std::cos(a), radius * std::sin(a)});
  }
  return points;
}

TEST(FitQuadratics, StraightPolygonsStayLines) {
  struct Case {
    const char* name;
    std::vector<Point> polygon;
    std::size_t points;
  };
  const Case cases[] = {
      {"square", {{0, 0}, {0, 100}, {100, 100}, {100, 0}}, 4},
      {"square with points along its sides", {{0, 0}, {0, 50}, {0, 100}, {50, 100}, {100, 100}, {100, 0}}, 4},
      {"repeated points, the first again at the end", {{0, 0}, {0, 0}, {0, 100}, {100, 100}, {100, 0}, {0, 0}}, 4},
      {"triangle", {{0, 0}, {50, 80}, {100, 0}}, 3},
  };
  for (const Case& c : cases) {
    std::vector<CurvePoint> fitted = FitQuadratics(c.polygon, 1);
    EXPECT_EQ(fitted.size(), c.points) << c.name;
    for (const CurvePoint& p : fitted) EXPECT_TRUE(p.onCurve) << c.name;
  }
}

TEST(FitQuadratics, CirclesAsFewQuadraticPiecesWithinTheTolerance) {
  struct Case {
    double radius;
    int sides;
    double tolerance;
  };
  const Case cases[] = {{1000, 128, 2}, {50, 24, 1}, {5000, 256, 1}};
  for (const Case& c : cases) {
    std::vector<Point> polygon = RegularPolygon(c.radius, c.sides);
    TrueTypeContour contour = ToWholeUnits(FitQuadratics(polygon, c.tolerance));
    std::size_t controls = 0;
    for (const OutlinePoint& p : contour) controls += p.onCurve ? 0 : 1;
    EXPECT_GT(controls, 0u) << c.radius;
    // Each piece takes three or more of the polygon's edges.
    EXPECT_LE(contour.size(), static_cast<std::size_t>(c.sides) * 2 / 3) << c.radius;
    // Every on-curve point within the tolerance and the grid of the
    // circle, the area within that band of it (the polygon's own lies
    // inside by the chords' sag).
    double band = c.tolerance + std::sqrt(0.5) + c.radius * (1 - std::cos(kPi / c.sides));
    for (const OutlinePoint& p : contour) {
      if (p.onCurve) {
        EXPECT_NEAR(std::hypot(p.x, p.y), c.radius, band) << c.radius;
      }
    }
    EXPECT_NEAR(TwiceSignedArea(contour) / 2, kPi * c.radius * c.radius, 2 * kPi * c.radius * band) << c.radius;
  }
}

TEST(ToWholeUnits, RoundsDropsRepeatsAndImpliesMidpoints) {
  struct Case {
    const char* name;
    std::vector<CurvePoint> contour;
    TrueTypeContour expected;
  };
  const Case cases[] = {
      {"rounded", {{{0.4, 0.6}, true}, {{10.5, -0.5}, true}, {{4.49, 9.51}, true}},
       {{0, 1, true}, {11, -1, true}, {4, 10, true}}},
      {"a point twice after rounding", {{{0, 0}, true}, {{0.2, 0.2}, true}, {{10, 0}, true}, {{10, 10}, true}},
       {{0, 0, true}, {10, 0, true}, {10, 10, true}}},
      // (10, 5) lies halfway between the control points about it.
      {"an implied on-curve point",
       {{{0, 0}, true}, {{10, 0}, false}, {{10, 5}, true}, {{10, 10}, false}, {{0, 10}, true}},
       {{0, 0, true}, {10, 0, false}, {10, 10, false}, {0, 10, true}}},
      {"off halfway only after rounding",
       {{{0, 0}, true}, {{10, 0}, false}, {{10.2, 5.3}, true}, {{10, 10}, false}, {{0, 10}, true}},
       {{0, 0, true}, {10, 0, false}, {10, 10, false}, {0, 10, true}}},
      {"not halfway", {{{0, 0}, true}, {{10, 0}, false}, {{10, 6}, true}, {{10, 10}, false}, {{0, 10}, true}},
       {{0, 0, true}, {10, 0, false}, {10, 6, true}, {10, 10, false}, {0, 10, true}}},
      {"the last point where the first is", {{{0, 0}, true}, {{5, 0}, true}, {{5, 5}, true}, {{0.1, 0}, true}},
       {{0, 0, true}, {5, 0, true}, {5, 5, true}}},
      {"too few points left", {{{0, 0}, true}, {{0.3, 0.3}, true}, {{5, 5}, true}}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ToWholeUnits(c.contour), c.expected) << c.name;
}

TEST(TwiceSignedArea, QuadraticPiecesAddTwoThirdsOfTheirTriangles) {
  struct Case {
    const char* name;
    TrueTypeContour contour;
    double twice;
  };
  const Case cases[] = {
      {"square, counterclockwise", {{0, 0, true}, {10, 0, true}, {10, 10, true}, {0, 10, true}}, 200},
      {"square, clockwise", {{0, 0, true}, {0, 10, true}, {10, 10, true}, {10, 0, true}}, -200},
      // A parabolic arch of base 10 whose curve rises 5 (half its control's
      // height), drawn left to right over the top: 2/3 * 10 * 5, clockwise.
      {"arch", {{0, 0, true}, {5, 10, false}, {10, 0, true}}, -2 * (2.0 / 3 * 10 * 5)},
      // Control points at a square's corners: on-curve points implied at the
      // sides' middles; a diamond of 50 and four pieces of 2/3 * 12.5.
      {"only control points", {{0, 0, false}, {10, 0, false}, {10, 10, false}, {0, 10, false}},
       2 * (50 + 4 * 2.0 / 3 * 12.5)},
      {"starting on a control point", {{5, 10, false}, {10, 0, true}, {0, 0, true}}, -2 * (2.0 / 3 * 10 * 5)},
  };
  for (const Case& c : cases) EXPECT_NEAR(TwiceSignedArea(c.contour), c.twice, 1e-9) << c.name;
}

}  // namespace
}  // namespace morlune::convert
