// How many straight pieces an arc is written as: a chord over angle a
// strays r(1 - cos(a/2)) from its circle, so a tolerance t allows pieces
// of 2 acos(1 - t/r) each, from one piece up to 4,096.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "convert/arc_math.h"

namespace morlune::convert {
namespace {

constexpr double kPi = 3.14159265358979323846;

// An arc of the given semi-axes around the origin, from angle 0.
ArcSegment Arc(double axisX, double axisY, double sweep) {
  double end = sweep * kPi / 180;
  return {{axisX, 0}, {axisX * std::cos(end), axisY * std::sin(end)}, {0, 0}, axisX, axisY, sweep};
}

// The tolerance at which a chord over the given angle strays exactly that
// far from a circle of the radius, nudged by the factor.
double StrayOfChord(double radius, double angle, double factor) { return radius * (1 - std::cos(angle / 2)) * factor; }

TEST(FlatPieces, CountsTheChordsThatStayWithinTheTolerance) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    ArcSegment arc;
    double tolerance;
    int pieces;
  };
  const Case cases[] = {
      {"half circle in chords of an eighth of a turn, just allowed", Arc(1, 1, 180), StrayOfChord(1, kPi / 4, 1.000001), 4},
      {"the same chords just too far", Arc(1, 1, 180), StrayOfChord(1, kPi / 4, 0.999999), 5},
      {"mirrored axes count by their size", Arc(-10, 10, 360), StrayOfChord(10, kPi / 32, 1.000001), 64},
      {"an ellipse by its larger axis", Arc(2, 10, 360), StrayOfChord(10, kPi / 32, 1.000001), 64},
      {"tolerance past the radius", Arc(1, 1, 270), 1.5, 1},
      {"no tolerance", Arc(1, 1, 270), 0, 1},
      {"an endless radius", Arc(kInfinity, 1, 90), 1e-3, 1},
      {"a huge circle stops at the most", Arc(1e12, 1e12, 360), 1e-3, 4096},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FlatPieces(c.arc, c.tolerance), c.pieces) << c.what;
    EXPECT_EQ(FlattenArc(c.arc, c.tolerance).size(), static_cast<std::size_t>(c.pieces) + 1) << c.what;
  }
}

}  // namespace
}  // namespace morlune::convert
