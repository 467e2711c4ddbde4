// Curves of known shape fitted with bulge arcs on the grid: what the
// pieces draw is measured here on its own against the true curve, arcs are
// taken where they write fewer bytes than straight pieces, and curves with
// no shape to speak of still come out bounded.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "convert/arc_math.h"
#include "convert/import/curve_fit.h"
#include "convert/import/font_import.h"
#include "convert/import/grid_glyph.h"
#include "convert/import/stroke_distance.h"
#include "convert/svg/svg_path_data.h"

namespace morlune::convert {
namespace {

constexpr double kPi = 3.14159265358979323846;
// The usual handle of a cubic quarter circle: it strays 0.027% of the
// radius from the circle.
constexpr double kHandle = 0.5522847498;

std::vector<std::vector<Point>> CurveLine(const SmoothCurve& curve) {
  std::vector<Point> line;
  for (int k = 0; k <= 4000; ++k) line.push_back(curve.At(k / 4000.0));
  return {line};
}

std::vector<std::vector<Point>> DrawnLine(Point start, const std::vector<ArcStep>& steps) {
  std::vector<Point> line{start};
  for (const ArcStep& step : steps) {
    Point to{line.back().x + step.dx, line.back().y + step.dy};
    if (step.q == 0) {
      line.push_back(to);
    } else {
      std::vector<Point> arc = FlattenArc(ArcOfBulge(line.back(), to, step.q / 127.0), 1e-4);
      line.insert(line.end(), arc.begin() + 1, arc.end());
    }
  }
  return {line};
}

TEST(SmoothCurve, PointsOfKnownCurves) {
  // y = x^2 as a quadratic from (-1, 1) over (0, -1) to (1, 1): x = 2t - 1.
  SmoothCurve parabola = SmoothCurve::Quadratic({-1, 1}, {0, -1}, {1, 1});
  // An ellipse of semi-axes 2 and 1 turned a quarter: its x axis points up.
  SmoothCurve ellipse = SmoothCurve::Ellipse({0, 2}, {0, -2}, {0, 0}, 2, 1, kPi / 2, 0, kPi);
  const struct {
    const SmoothCurve* curve;
    double t;
    Point expected;
  } rows[] = {
      {&parabola, 0.25, {-0.5, 0.25}}, {&parabola, 0.5, {0, 0}}, {&parabola, 0.9, {0.8, 0.64}},
      {&ellipse, 0.5, {-1, 0}},        {&ellipse, 1, {0, -2}},
  };
  for (const auto& row : rows) {
    Point p = row.curve->At(row.t);
    EXPECT_NEAR(p.x, row.expected.x, 1e-12) << row.t;
    EXPECT_NEAR(p.y, row.expected.y, 1e-12) << row.t;
  }
}

TEST(FitArcs, DrawnPiecesStayWithinTheTolerance) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* what;
    SmoothCurve curve;
    double tolerance;
    bool fits;
    std::size_t fewest, most;  // pieces
    int arcs;                  // 1: every piece an arc, 0: every piece straight, -1: either
  } rows[] = {
      // Ends on the grid, a quarter turn: bulge tan(22.5 degrees) is 52.6
      // steps; at 53 the arc lies 0.22 from the circle.
      {"quarter circle, radius 100", SmoothCurve::Cubic({100, 0}, {100, 100 * kHandle}, {100 * kHandle, 100}, {0, 100}),
       1, true, 1, 1, 1},
      // A chord holds at most 127 each way: from 0 to 39 degrees, then
      // on; 200 each way takes three pieces.
      {"quarter circle, radius 200", SmoothCurve::Cubic({200, 0}, {200, 200 * kHandle}, {200 * kHandle, 200}, {0, 200}),
       1, true, 3, 3, 1},
      // y = x^2 / 100: its curvature changes from radius 50 to 141.
      {"parabola", SmoothCurve::Quadratic({-50, 25}, {0, -25}, {50, 25}), 0.5, true, 2, 6, 1},
      {"quarter ellipse", SmoothCurve::Ellipse({100, 0}, {0, 50}, {0, 0}, 100, 50, 0, 0, kPi / 2), 1, true, 2, 6, 1},
      // Every sample on the rim of the disc whose diameter is the chord:
      // one arc of bulge 1 (127 steps) draws it, none may be ruled out.
      {"half circle, radius 50", SmoothCurve::Ellipse({50, 0}, {-50, 0}, {0, 0}, 50, 50, 0, 0, kPi), 0.5, true, 1, 1, 1},
      // Its x axis up: from (0, 40) by (-20, 0) and (0, -40) to (20, 0).
      {"ellipse turned, three quarters", SmoothCurve::Ellipse({0, 40}, {20, 0}, {0, 0}, 40, 20, kPi / 2, 0, 1.5 * kPi),
       1, true, 3, 12, 1},
      {"collinear controls", SmoothCurve::Cubic({0, 0}, {10, 0}, {20, 0}, {30, 0}), 0.5, true, 1, 1, 0},
      // Out to 21.7, back to 8.3, on to 30: the one line covers it all.
      {"collinear, doubling back", SmoothCurve::Cubic({0, 0}, {60, 0}, {-30, 0}, {30, 0}), 0.5, true, 1, 1, 0},
      // Out to 49.7 and back to 30: two lines at least.
      {"collinear, past its end", SmoothCurve::Cubic({0, 0}, {60, 0}, {60, 0}, {30, 0}), 0.5, true, 2, 3, 0},
      {"every point the same", SmoothCurve::Cubic({5, 5}, {5, 5}, {5, 5}, {5, 5}), 0.5, true, 0, 0, 0},
      // Controls crossed over: a cusp at the middle.
      {"cusp", SmoothCurve::Cubic({0, 0}, {40, 40}, {0, 40}, {40, 0}), 1, true, 2, 12, -1},
      {"a control not a number", SmoothCurve::Cubic({0, 0}, {nan, 0}, {1, 1}, {2, 0}), 1, false, 0, 0, 0},
      {"an ellipse of no size", SmoothCurve::Ellipse({0, 0}, {0, 0}, {0, 0}, 0, 0, 0, 0, kPi), 1, true, 0, 0, 0},
      {"far beyond any glyph", SmoothCurve::Cubic({0, 0}, {1e300, 1e300}, {-1e300, 1e300}, {0, 1}), 1, false, 0, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    long long work = 1 << 24;
    Point start{std::round(row.curve.At(0).x), std::round(row.curve.At(0).y)};
    std::optional<CurveFit> fit = FitArcs(row.curve, start, row.tolerance, 100, work);
    ASSERT_EQ(fit.has_value(), row.fits);
    if (!fit) continue;
    EXPECT_GE(fit->steps.size(), row.fewest);
    EXPECT_LE(fit->steps.size(), row.most);
    for (const ArcStep& step : fit->steps) {
      if (row.arcs == 1) {
        EXPECT_NE(step.q, 0);
      } else if (row.arcs == 0) {
        EXPECT_EQ(step.q, 0);
      }
    }
    double drawn = fit->steps.empty() ? 0 : PolylineDistance(CurveLine(row.curve), DrawnLine(start, fit->steps), 0.05);
    EXPECT_LE(drawn, row.tolerance + 1e-3);
    EXPECT_LE(fit->largestError, row.tolerance);
  }
  // The first row's one arc, step by step.
  long long work = 1 << 24;
  std::optional<CurveFit> quarter =
      FitArcs(SmoothCurve::Cubic({100, 0}, {100, 100 * kHandle}, {100 * kHandle, 100}, {0, 100}), {100, 0}, 1, 100, work);
  ASSERT_TRUE(quarter && quarter->steps.size() == 1);
  EXPECT_EQ(quarter->steps[0].dx, -100);
  EXPECT_EQ(quarter->steps[0].dy, 100);
  EXPECT_EQ(quarter->steps[0].q, 53);
}

TEST(FitArcs, BoundedByStepsAndWork) {
  SmoothCurve circle = SmoothCurve::Cubic({200, 0}, {200, 200 * kHandle}, {200 * kHandle, 200}, {0, 200});
  long long work = 1 << 24;
  EXPECT_FALSE(FitArcs(circle, {200, 0}, 1, 2, work));  // it takes three
  work = 100;
  EXPECT_FALSE(FitArcs(circle, {200, 0}, 1, 100, work));
}

// A glyph of path data placed on a grid of the path's own units.
std::vector<unsigned char> Placed(const char* d, double advance, double tolerance) {
  StrokeGlyph glyph;
  glyph.advance = advance;
  EXPECT_FALSE(ReadPathData(d, 1e-3, glyph.strokes));
  return PlaceOnGrid(glyph, 1, tolerance).items.Bytes();
}

TEST(PlaceOnGrid, ArcsWhereTheyWriteFewerBytes) {
  const struct {
    const char* d;
    double advance;
    std::vector<unsigned char> bytes;
  } rows[] = {
      // Straight pieces within half the tolerance take 8 pairs of a
      // displacement list (19 bytes); the arc takes 4.
      {"M 100 0 C 100 55.228 55.228 100 0 100", 0,
       {2, 8, 100, 0, 1, 12, 0x9C, 100, 53, 2, 8, 0, 0x9C, 0}},
      // Nearly straight: two vector bytes beat any arc.
      {"M 0 0 C 10 0.1 20 0.1 30 0", 30, {0xF0, 0xF0, 2, 0}},
  };
  for (const auto& row : rows) EXPECT_EQ(Placed(row.d, row.advance, 1), row.bytes) << row.d;
}

TEST(CurveImport, SmallerWithinTolerance) {
  // Letters of curves of every kind, a capital 100 tall.
  const char* paths[] = {
      "M 0 0 L 0 100 M 0 50 L 60 50 M 60 0 L 60 100",                      // H: the capital height
      "M 50 0 A 40 50 0 0 1 50 100 A 40 50 0 0 1 50 0",                     // O: two half ellipses
      "M 80 90 C 60 105 10 100 15 75 C 20 50 80 55 80 25 C 80 -5 20 -5 5 15",  // S: cubics
      "M 0 100 Q 0 0 50 0 T 100 100",                                        // U: quadratics
      "M 90 20 A 50 30 30 1 0 90 80",                                        // C: a turned ellipse
  };
  const char32_t characters[] = {U'H', U'O', U'S', U'U', U'C'};
  StrokeFont curved;
  curved.name = "curves";
  curved.capHeight = 100;
  for (std::size_t k = 0; k < std::size(paths); ++k) {
    StrokeGlyph glyph;
    glyph.character = characters[k];
    glyph.advance = 110;
    ASSERT_FALSE(ReadPathData(paths[k], 0.01, glyph.strokes)) << paths[k];
    curved.glyphs.push_back(std::move(glyph));
  }
  // The same samples without their curves: straight pieces only.
  StrokeFont sampled = curved;
  for (StrokeGlyph& glyph : sampled.glyphs) {
    for (Stroke& stroke : glyph.strokes) stroke.curves.clear();
  }
  // 0: the grid the import chooses.
  for (int units : {0, 100, 200}) {
    SCOPED_TRACE(units);
    ImportOptions options;
    options.heightUnits = units;
    Result<ImportedFont> withArcs = ImportStrokeFont(curved, options);
    Result<ImportedFont> withLines = ImportStrokeFont(sampled, options);
    ASSERT_TRUE(withArcs && withLines);
    EXPECT_LE(withArcs->largestError, withArcs->tolerance);
    EXPECT_LT(withArcs->compiled.size(), withLines->compiled.size());
    std::string& text = withArcs->sourceText;
    EXPECT_TRUE(text.find("12,(") != std::string::npos || text.find("13,(") != std::string::npos);
  }
}

TEST(CurveImport, HostileNumbersEndDefined) {
  const struct {
    const char* d;
    bool refused;  // the glyph reaches past any glyph's size
  } rows[] = {
      // The pen overflows to infinity, the curve's differences to NaN.
      {"m 1e308 0 1e308 0 c 1e308 1e308 1e308 1e308 1e308 1e308", true},
      {"M 0 0 C 1e308 1e308 -1e308 -1e308 1 1", true},
      // Radii so far apart that their squares overflow: the arc is
      // scaled up to reach its end and stays finite.
      {"M 0 0 A 1e300 1e-300 45 1 1 10 10", false},
      {"M 0 0 Q 0 0 0 0 T 0 0 A 0 5 0 0 1 10 0", false},
  };
  for (const auto& row : rows) {
    StrokeFont font;
    font.capHeight = 100;
    StrokeGlyph glyph;
    glyph.character = U'x';
    ASSERT_FALSE(ReadPathData(row.d, 0.01, glyph.strokes)) << row.d;
    font.glyphs.push_back(std::move(glyph));
    Result<ImportedFont> imported = ImportStrokeFont(font, {});
    EXPECT_EQ(!imported, row.refused) << row.d;
    if (imported) {
      EXPECT_LE(imported->largestError, imported->tolerance) << row.d;
    }
  }
}

}  // namespace
}  // namespace morlune::convert
