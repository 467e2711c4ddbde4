// Polygons to TrueType contours: greedy runs of lines and least-squares
// quadratic pieces, each checked against the polygon both ways.
#include "convert/opentype/quadratic_contours.h"

#include <algorithm>
#include <cmath>

namespace morlune::convert {
namespace {

Point Minus(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
double Dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
double Cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }

double SquaredDistanceToSegment(Point p, Point a, Point b) {
  Point ab = Minus(b, a), ap = Minus(p, a);
  double length2 = Dot(ab, ab);
  double t = length2 > 0 ? std::clamp(Dot(ap, ab) / length2, 0.0, 1.0) : 0;
  double ox = ap.x - t * ab.x, oy = ap.y - t * ab.y;
  return ox * ox + oy * oy;
}

double SquaredDistanceToChain(Point p, std::span<const Point> chain) {
  double nearest = HUGE_VAL;
  for (std::size_t k = 1; k < chain.size(); ++k) {
    nearest = std::min(nearest, SquaredDistanceToSegment(p, chain[k - 1], chain[k]));
  }
  return nearest;
}

Point Quadratic(Point p0, Point c, Point p2, double t) {
  double u = 1 - t;
  return {u * u * p0.x + 2 * u * t * c.x + t * t * p2.x, u * u * p0.y + 2 * u * t * c.y + t * t * p2.y};
}

// The control point that brings the quadratic from run.front() to
// run.back() nearest, in least squares, to the run's points at params t.
bool LeastSquaresControl(std::span<const Point> run, const std::vector<double>& t, Point& control) {
  Point p0 = run.front(), p2 = run.back();
  double sx = 0, sy = 0, sb = 0;
  for (std::size_t k = 1; k + 1 < run.size(); ++k) {
    double u = 1 - t[k], b = 2 * u * t[k];
    sx += b * (run[k].x - u * u * p0.x - t[k] * t[k] * p2.x);
    sy += b * (run[k].y - u * u * p0.y - t[k] * t[k] * p2.y);
    sb += b * b;
  }
  if (!(sb > 0)) return false;
  control = {sx / sb, sy / sb};
  return std::isfinite(control.x) && std::isfinite(control.y);
}

// A Newton step moving t towards the point of the curve nearest p.
double Reproject(Point p0, Point c, Point p2, Point p, double t) {
  Point b = Quadratic(p0, c, p2, t);
  Point d1{2 * ((1 - t) * (c.x - p0.x) + t * (p2.x - c.x)), 2 * ((1 - t) * (c.y - p0.y) + t * (p2.y - c.y))};
  Point d2{2 * (p2.x - 2 * c.x + p0.x), 2 * (p2.y - 2 * c.y + p0.y)};
  Point off = Minus(b, p);
  double numerator = Dot(off, d1), denominator = Dot(d1, d1) + Dot(off, d2);
  if (!(denominator > 0)) return t;
  return std::clamp(t - numerator / denominator, 0.0, 1.0);
}

// A quadratic piece through the run's ends that strays at most tolerance
// from it, both ways: each of its points near the curve, and the curve
// near the run.
bool FitRun(std::span<const Point> run, double tolerance, double farthest, Point& control) {
  std::vector<double> t(run.size(), 0);
  for (std::size_t k = 1; k < run.size(); ++k) {
    Point step = Minus(run[k], run[k - 1]);
    t[k] = t[k - 1] + std::sqrt(Dot(step, step));
  }
  double total = t.back();
  if (!(total > 0)) return false;
  for (double& share : t) share /= total;
  if (!LeastSquaresControl(run, t, control)) return false;
  // Params from the lengths along the polygon bend towards the curve's
  // own: two rounds of moving them to the nearest points and fitting again.
  for (int round = 0; round < 2; ++round) {
    for (std::size_t k = 1; k + 1 < run.size(); ++k) t[k] = Reproject(run.front(), control, run.back(), run[k], t[k]);
    if (!LeastSquaresControl(run, t, control)) return false;
  }
  if (std::fabs(control.x) > farthest || std::fabs(control.y) > farthest) return false;
  std::size_t samples = 2 * run.size() + 8;
  std::vector<Point> curve(samples + 1);
  for (std::size_t k = 0; k <= samples; ++k) {
    curve[k] = Quadratic(run.front(), control, run.back(), static_cast<double>(k) / static_cast<double>(samples));
  }
  double tolerance2 = tolerance * tolerance;
  for (std::size_t k = 1; k + 1 < run.size(); ++k) {
    if (SquaredDistanceToChain(run[k], curve) > tolerance2) return false;
  }
  for (const Point& p : curve) {
    if (SquaredDistanceToChain(p, run) > tolerance2) return false;
  }
  return true;
}

bool RunsStraight(std::span<const Point> run, double tolerance) {
  for (std::size_t k = 1; k + 1 < run.size(); ++k) {
    if (SquaredDistanceToSegment(run[k], run.front(), run.back()) > tolerance * tolerance) return false;
  }
  return true;
}

// How sharply the polygon turns at vertex k: 0 straight on, pi back.
double Turn(std::span<const Point> polygon, std::size_t k) {
  std::size_t n = polygon.size();
  Point in = Minus(polygon[k], polygon[(k + n - 1) % n]), out = Minus(polygon[(k + 1) % n], polygon[k]);
  return std::fabs(std::atan2(Cross(in, out), Dot(in, out)));
}

}  // namespace

std::vector<CurvePoint> FitQuadratics(std::span<const Point> polygon, double tolerance, double farthest) {
  std::vector<Point> ring;
  for (const Point& p : polygon) {
    if (ring.empty() || p.x != ring.back().x || p.y != ring.back().y) ring.push_back(p);
  }
  while (ring.size() > 1 && ring.front().x == ring.back().x && ring.front().y == ring.back().y) ring.pop_back();
  std::vector<CurvePoint> out;
  if (ring.size() < 3) {
    for (const Point& p : ring) out.push_back({p, true});
    return out;
  }
  std::size_t sharpest = 0;
  double sharpestTurn = -1;
  for (std::size_t k = 0; k < ring.size(); ++k) {
    double turn = Turn(ring, k);
    if (turn > sharpestTurn) {
      sharpestTurn = turn;
      sharpest = k;
    }
  }
  std::rotate(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(sharpest), ring.end());
  const std::size_t n = ring.size();
  ring.push_back(ring.front());  // the closing edge's end

  std::span<const Point> all(ring);
  std::size_t i = 0;
  while (i < n) {
    std::size_t lineEnd = i + 1;
    while (lineEnd + 1 <= n && lineEnd + 1 - i <= kMostEdgesPerPiece &&
           RunsStraight(all.subspan(i, lineEnd + 2 - i), tolerance)) {
      ++lineEnd;
    }
    std::size_t curveEnd = i;
    Point control, fitted;
    for (std::size_t j = i + 2; j <= n && j - i <= kMostEdgesPerPiece; ++j) {
      if (!FitRun(all.subspan(i, j + 1 - i), tolerance, farthest, fitted)) break;
      curveEnd = j;
      control = fitted;
    }
    out.push_back({ring[i], true});
    if (curveEnd > lineEnd) {
      out.push_back({control, false});
      i = curveEnd;
    } else {
      i = lineEnd;
    }
  }
  return out;
}

TrueTypeContour ToWholeUnits(const std::vector<CurvePoint>& contour) {
  TrueTypeContour whole;
  whole.reserve(contour.size());
  for (const CurvePoint& p : contour) {
    OutlinePoint q{static_cast<std::int32_t>(std::lround(p.at.x)), static_cast<std::int32_t>(std::lround(p.at.y)),
                   p.onCurve};
    if (!whole.empty() && whole.back() == q) continue;
    // An on-curve point where a line ends at another's place adds nothing.
    if (!whole.empty() && q.onCurve && whole.back().onCurve && whole.back().x == q.x && whole.back().y == q.y) continue;
    whole.push_back(q);
  }
  while (whole.size() > 1 && whole.front().onCurve && whole.back().onCurve && whole.front().x == whole.back().x &&
         whole.front().y == whole.back().y) {
    whole.pop_back();
  }
  // An on-curve point halfway between two control points is implied.
  TrueTypeContour kept;
  kept.reserve(whole.size());
  std::size_t n = whole.size();
  for (std::size_t k = 0; k < n; ++k) {
    const OutlinePoint& p = whole[k];
    const OutlinePoint& before = whole[(k + n - 1) % n];
    const OutlinePoint& after = whole[(k + 1) % n];
    bool implied = p.onCurve && n > 3 && !before.onCurve && !after.onCurve &&
                   2 * static_cast<long long>(p.x) == static_cast<long long>(before.x) + after.x &&
                   2 * static_cast<long long>(p.y) == static_cast<long long>(before.y) + after.y;
    if (!implied) kept.push_back(p);
  }
  if (kept.size() < 3) kept.clear();
  return kept;
}

std::vector<CurvePoint> WithImpliedPoints(const TrueTypeContour& contour) {
  std::vector<CurvePoint> points;
  std::size_t n = contour.size();
  for (std::size_t k = 0; k < n; ++k) {
    const OutlinePoint& p = contour[k];
    const OutlinePoint& next = contour[(k + 1) % n];
    points.push_back({{static_cast<double>(p.x), static_cast<double>(p.y)}, p.onCurve});
    if (!p.onCurve && !next.onCurve) points.push_back({{(p.x + next.x) / 2.0, (p.y + next.y) / 2.0}, true});
  }
  return points;
}

double TwiceSignedArea(const TrueTypeContour& contour) {
  // The on-curve polygon (implied points included) plus, for each
  // quadratic piece, two thirds of its control triangle.
  std::vector<CurvePoint> points = WithImpliedPoints(contour);
  double twice = 0;
  std::size_t m = points.size();
  for (std::size_t k = 0; k < m; ++k) {
    if (!points[k].onCurve) continue;
    // The next on-curve point, and the control point between if any.
    std::size_t next = (k + 1) % m;
    const CurvePoint* control = nullptr;
    if (!points[next].onCurve) {
      control = &points[next];
      next = (next + 1) % m;
    }
    Point a = points[k].at, b = points[next].at;
    twice += Cross(a, b);
    if (control != nullptr) twice += 2.0 / 3.0 * Cross(Minus(control->at, a), Minus(b, control->at));
  }
  return twice;
}

}  // namespace morlune::convert
