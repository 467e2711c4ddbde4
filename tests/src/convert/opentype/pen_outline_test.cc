// The pen's sweep: areas and winding of lines, dots, circles, ellipses and
// sheared arcs against their closed forms; arcs' points; out-of-range
// points; the bounds on a glyph's work; the deviation measure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "convert/opentype/glyf_table.h"
#include "convert/opentype/outline_deviation.h"
#include "convert/opentype/pen_outline.h"
#include "convert/opentype/quadratic_contours.h"
#include "convert/opentype/sheared_arc.h"

namespace morlune::convert {
namespace {

constexpr double kPi = std::numbers::pi;

ArcSegment MakeArc(Point centre, double ax, double ay, double shear, double startDegrees, double sweepDegrees) {
  auto at = [&](double degrees) {
    double a = degrees * kPi / 180;
    return Point{centre.x + ax * std::cos(a) + shear * ay * std::sin(a), centre.y + ay * std::sin(a)};
  };
  ArcSegment arc;
  arc.from = at(startDegrees);
  arc.to = at(startDegrees + sweepDegrees);
  arc.centre = centre;
  arc.axisX = ax;
  arc.axisY = ay;
  arc.shear = shear;
  arc.sweep = sweepDegrees;
  return arc;
}

// A whole turn as the drawing gives it: two half turns.
void Turn(GeometrySink& sink, Point centre, double ax, double ay, double shear = 0, double startDegrees = 0) {
  sink.Arc(MakeArc(centre, ax, ay, shear, startDegrees, 180));
  sink.Arc(MakeArc(centre, ax, ay, shear, startDegrees + 180, 180));
}

struct Outlined {
  std::vector<TrueTypeContour> contours;
  std::vector<bool> holes;
  double area = 0;  // of the ink
  double deviation = 0;
  LossReport losses;
  GlyphBox box;  // control points included
  // The union's polygons' least and greatest coordinates.
  Point inkMin{HUGE_VAL, HUGE_VAL};
  Point inkMax{-HUGE_VAL, -HUGE_VAL};
};

Outlined Outline(const std::function<void(GeometrySink&)>& draw, double radius, double tolerance, double scale = 1) {
  PenOutline pen({scale, radius, tolerance});
  pen.StartGlyph();
  draw(pen);
  Outlined out;
  for (const PenContour& polygon : pen.Finish(out.losses)) {
    out.contours.push_back(ToWholeUnits(FitQuadratics(polygon.points, tolerance / 4, kFarthestCoordinate - 0.5)));
    for (const Point& p : polygon.points) {
      out.inkMin = {std::min(out.inkMin.x, p.x), std::min(out.inkMin.y, p.y)};
      out.inkMax = {std::max(out.inkMax.x, p.x), std::max(out.inkMax.y, p.y)};
    }
    out.holes.push_back(polygon.hole);
    // Outer contours turn clockwise (negative), holes counterclockwise.
    out.area -= TwiceSignedArea(out.contours.back()) / 2;
  }
  out.deviation = LargestDeviation(out.contours, pen.Centre(), radius);
  SimpleGlyphRecord(out.contours, out.box);
  return out;
}

// Ramanujan's perimeter of an ellipse (relative error under 1e-5 here).
double EllipsePerimeter(double a, double b) { return kPi * (3 * (a + b) - std::sqrt((3 * a + b) * (a + 3 * b))); }

TEST(PenOutline, AreasOfTheSweptPen) {
  constexpr double r = 50, w = 2 * r, tolerance = 4;
  const double capsule = 1000 * w + kPi * r * r;
  // A sheared circle is the ellipse whose semi-axes are the singular values
  // of [[R, sR], [0, R]]: their product stays R^2.
  const double R = 400, s = 0.5;
  const double sumSquares = R * R * (2 + s * s);
  const double big = std::sqrt((sumSquares + std::sqrt(sumSquares * sumSquares - 4 * R * R * R * R)) / 2);
  const double small = R * R / big;
  struct Case {
    const char* name;
    std::function<void(GeometrySink&)> draw;
    double area;       // closed form
    double perimeter;  // of the ink, at most
    std::size_t outer, holes;
  };
  const Case cases[] = {
      {"horizontal line", [](GeometrySink& k) { k.Line({0, 0}, {1000, 0}); }, capsule, 2000 + 2 * kPi * r, 1, 0},
      {"diagonal line", [](GeometrySink& k) { k.Line({0, 0}, {600, 800}); }, capsule, 2000 + 2 * kPi * r, 1, 0},
      {"the same line in two pieces", [](GeometrySink& k) { k.Line({0, 0}, {300, 400}); k.Line({300, 400}, {600, 800}); },
       capsule, 2000 + 2 * kPi * r, 1, 0},
      {"dot", [](GeometrySink& k) { k.Line({100, 100}, {100, 100}); }, kPi * r * r, 2 * kPi * r, 1, 0},
      {"cross", [](GeometrySink& k) { k.Line({-500, 0}, {500, 0}); k.Line({0, -500}, {0, 500}); },
       2 * capsule - w * w, 4 * (1000 + kPi * r), 1, 0},
      // A closed curve whose curvature radius passes r sweeps a ring of
      // area 2 r times its length.
      {"circle", [](GeometrySink& k) { Turn(k, {0, 0}, 500, 500); }, 2 * w * kPi * 500, 2 * kPi * 1000, 1, 1},
      {"circle mirrored", [](GeometrySink& k) { Turn(k, {0, 0}, -300, 300); }, 2 * w * kPi * 300, 2 * kPi * 600, 1, 1},
      {"ellipse", [](GeometrySink& k) { Turn(k, {0, 0}, 400, 200); }, w * EllipsePerimeter(400, 200),
       2 * EllipsePerimeter(450, 250), 1, 1},
      {"sheared circle", [&](GeometrySink& k) { Turn(k, {0, 0}, R, R, s, 30); }, w * EllipsePerimeter(big, small),
       2 * EllipsePerimeter(big + r, small + r), 1, 1},
      {"two rings apart", [](GeometrySink& k) { Turn(k, {0, 0}, 300, 300); Turn(k, {2000, 0}, 300, 300); },
       2 * 2 * w * kPi * 300, 4 * kPi * 600, 2, 2},
  };
  for (const Case& c : cases) {
    Outlined out = Outline(c.draw, r, tolerance);
    std::size_t holes = static_cast<std::size_t>(std::count(out.holes.begin(), out.holes.end(), true));
    EXPECT_EQ(out.contours.size() - holes, c.outer) << c.name;
    EXPECT_EQ(holes, c.holes) << c.name;
    // Each point within the tolerance's share and the grid's half unit on
    // each axis: the area within that band along the ink's edge.
    double band = tolerance / 2 + std::sqrt(0.5);
    EXPECT_NEAR(out.area, c.area, c.perimeter * band) << c.name;
    EXPECT_LE(out.deviation, band) << c.name;
    for (std::size_t k = 0; k < out.contours.size(); ++k) {
      double twice = TwiceSignedArea(out.contours[k]);
      EXPECT_TRUE(out.holes[k] ? twice > 0 : twice < 0) << c.name << " contour " << k;
    }
    EXPECT_TRUE(out.losses.Empty()) << c.name;
  }
}

TEST(PenOutline, MirroredHalfTurnGoesOverTheTop) {
  // axisX negative: angle 0 is at the left, and the counterclockwise sweep
  // passes the top, (0, 300), on its way to the right.
  Outlined out = Outline([](GeometrySink& k) { k.Arc(MakeArc({0, 0}, -300, 300, 0, 0, 180)); }, 50, 4);
  EXPECT_NEAR(out.inkMax.y, 350, 2);
  EXPECT_NEAR(out.inkMin.y, -50, 2);
  EXPECT_NEAR(out.inkMin.x, -350, 2);
  EXPECT_NEAR(out.inkMax.x, 350, 2);
  // Measured against the same upper half.
  EXPECT_LE(out.deviation, 4 / 2 + std::sqrt(0.5));
}

TEST(PenOutline, PointsPastTheRangeArePulledIn) {
  constexpr double kFar = 2147483648.0;
  Outlined out = Outline([](GeometrySink& k) { k.Line({-kFar, 5}, {kFar, 5}); }, 50, 4);
  EXPECT_EQ(out.losses.Count(LossKind::kPointsClamped), 2);
  PenOutline pen({1, 50, 4});
  EXPECT_NEAR(out.losses.Largest(LossKind::kPointsClamped), kFar - pen.Reach(), 1);
  EXPECT_GE(out.box.xMin, -kFarthestCoordinate);
  EXPECT_LE(out.box.xMax, kFarthestCoordinate);
  // A scale that carries ordinary points out of range does the same.
  Outlined scaled = Outline([](GeometrySink& k) { k.Line({0, 0}, {1e6, 0}); }, 50, 4, 1e6);
  EXPECT_EQ(scaled.losses.Count(LossKind::kPointsClamped), 1);
  EXPECT_LE(scaled.box.xMax, kFarthestCoordinate);
}

TEST(PenOutline, BoundsOnAGlyphsWork) {
  struct Case {
    const char* name;
    std::function<void(GeometrySink&)> draw;
  };
  const Case cases[] = {
      {"more strokes than the glyph's pieces",
       [](GeometrySink& k) {
         for (long long n = 0; n <= PenOutline::kGlyphPieces; ++n) {
           k.Line({static_cast<double>(n) / 2, 0}, {static_cast<double>(n + 1) / 2, 0});
         }
       }},
      {"an arc cut finer than the glyph's pieces allow",
       [](GeometrySink& k) {
         for (int n = 0; n < 8; ++n) k.Arc(MakeArc({0, 0}, 1e7, 1e7, 0, 0, 180));
       }},
  };
  for (const Case& c : cases) {
    Outlined out = Outline(c.draw, 50, 4);
    EXPECT_EQ(out.losses.Count(LossKind::kStrokesCut), 1) << c.name;
    EXPECT_FALSE(out.contours.empty()) << c.name;
  }
}

TEST(ShearedArc, PointsAlongTheArc) {
  const double h = std::sqrt(0.5) * 10;
  struct Case {
    const char* name;
    ArcSegment arc;
    double t;
    Point expected;
  };
  const Case cases[] = {
      {"circle, quarter turn", MakeArc({0, 0}, 10, 10, 0, 0, 90), 0.5, {h, h}},
      {"circle, clockwise", MakeArc({0, 0}, 10, 10, 0, 90, -90), 0.5, {h, h}},
      {"x mirrored: angle 0 at the left", MakeArc({0, 0}, -10, 10, 0, 0, 90), 0.5, {-h, h}},
      {"y mirrored", MakeArc({0, 0}, 10, -10, 0, 0, 90), 0.5, {h, -h}},
      {"ellipse", MakeArc({5, 5}, 20, 10, 0, 0, 180), 0.5, {5, 15}},
      // Shear moves x by shear times the y offset: at 45 degrees, 0.5 * h.
      {"sheared", MakeArc({0, 0}, 10, 10, 0.5, 0, 90), 0.5, {1.5 * h, h}},
      {"sheared, top", MakeArc({0, 0}, 10, 10, 0.5, 0, 180), 0.5, {5, 10}},
      // Starting at the top: `from` is (5, 10), its angle 90 degrees once
      // the shear's share of x is taken off.
      {"sheared, from the top", MakeArc({0, 0}, 10, 10, 0.5, 90, -90), 0.5, {1.5 * h, h}},
      {"squashed flat in y", MakeArc({0, 0}, 10, 0, 0, 0, 180), 0.5, {0, 0}},
      {"squashed flat in x", MakeArc({0, 0}, 0, 10, 0, -90, 180), 0.5, {0, 0}},
      // A second turn draws nothing the first did not: one is kept.
      {"more than a turn", MakeArc({0, 0}, 10, 10, 0, 0, 720), 0.25, {0, 10}},
  };
  for (const Case& c : cases) {
    Point p = ShearedArc(c.arc).At(c.t);
    EXPECT_NEAR(p.x, c.expected.x, 1e-9) << c.name;
    EXPECT_NEAR(p.y, c.expected.y, 1e-9) << c.name;
  }
}

TEST(OutlineDeviation, MeasuredAgainstThePensTrueEdge) {
  struct Case {
    const char* name;
    CentreLine centre;
    TrueTypeContour contour;
    double radius;
    double deviation;
  };
  CentreLine dot{{{{0, 0}, {0, 0}}}, {}};
  CentreLine line{{{{0, 0}, {1000, 0}}}, {}};
  const Case cases[] = {
      // A square about a dot strays most at its corners: r (sqrt 2 - 1).
      {"square about a dot", dot, {{-100, -100}, {-100, 100}, {100, 100}, {100, -100}}, 100,
       100 * (std::sqrt(2.0) - 1)},
      // A rectangle about a line has flat ends: the middle of each lies on
      // the line itself, a whole radius in.
      {"rectangle about a line", line, {{0, -50}, {0, 50}, {1000, 50}, {1000, -50}}, 50, 50},
      {"its long sides alone", line, {{0, 50}, {1000, 50}, {1000, 50}}, 50, 0},
  };
  for (const Case& c : cases) {
    const TrueTypeContour contours[] = {c.contour};
    EXPECT_NEAR(LargestDeviation(contours, c.centre, c.radius), c.deviation, 1e-9) << c.name;
  }
}

// A glyph's centre line of crossing strokes and whole circles, with room
// between them, and samples near it, between its strokes and far from it: each sample's distance is the nearest
// piece's, found here by trying every piece. A one-point contour samples
// just its point.
TEST(OutlineDeviation, ABusyCentreLineSearchedWhole) {
  CentreLine centre;
  double x = 0, y = 0;
  auto next = [state = 12345u]() mutable {
    state = state * 1103515245u + 12345u;
    return static_cast<double>(state >> 16 & 0x7FFF) / 0x7FFF;
  };
  for (int k = 0; k < 40; ++k) {
    Point from{x, y};
    x = 2000 * next();
    y = 2000 * next();
    centre.lines.push_back({from, {x, y}});
  }
  for (int k = 0; k < 5; ++k) {
    double r = 20 + 200 * next();
    Point c{2000 * next(), 2000 * next()};
    centre.arcs.push_back({c, r, 0, 2 * kPi, {c.x + r, c.y}, {c.x + r, c.y}});
  }
  const double radius = 48;
  for (int k = 0; k < 200; ++k) {
    // Most samples inside the glyph's box, some far outside it.
    double spread = k % 10 == 0 ? 20000 : 2100;
    OutlinePoint p{static_cast<std::int32_t>(spread * next() - (spread - 2000) / 2),
                   static_cast<std::int32_t>(spread * next() - (spread - 2000) / 2), true};
    Point at{static_cast<double>(p.x), static_cast<double>(p.y)};
    double nearest = HUGE_VAL;
    for (const LineSegment& line : centre.lines) {
      double dx = line.to.x - line.from.x, dy = line.to.y - line.from.y;
      double t = std::clamp(((at.x - line.from.x) * dx + (at.y - line.from.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
      nearest = std::min(nearest, std::hypot(at.x - line.from.x - t * dx, at.y - line.from.y - t * dy));
    }
    for (const CircleArc& circle : centre.arcs) {
      nearest = std::min(nearest, std::fabs(std::hypot(at.x - circle.centre.x, at.y - circle.centre.y) - circle.radius));
    }
    const TrueTypeContour contours[] = {{p}};
    EXPECT_NEAR(LargestDeviation(contours, centre, radius), std::fabs(nearest - radius), 1e-9) << p.x << "," << p.y;
  }
}

}  // namespace
}  // namespace morlune::convert
