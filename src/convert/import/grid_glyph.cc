// One glyph placed on the grid, stroke by stroke, and the bound on what
// rounding its vertices alone may cost at each grid.
#include "convert/import/grid_glyph.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <vector>

#include "convert/arc_math.h"
#include "convert/import/curve_fit.h"

namespace morlune::convert {
namespace {

// An arc halved this often is as small as a grid unit allows.
constexpr int kDeepestSplit = 10;
constexpr int kArcSamples = 16;
// The distances a glyph's curve fitting may measure: some hundred curves'
// worth, so that a glyph of endless curves still places in bounded time
// (its curves past this go as straight pieces).
constexpr long long kFitWork = 1 << 21;

struct Grid {
  long long x = 0;
  long long y = 0;
  bool operator==(const Grid&) const = default;
};

Grid Round(Point p) {
  return {static_cast<long long>(NearestGridUnit(p.x)), static_cast<long long>(NearestGridUnit(p.y))};
}

Point AsPoint(Grid g) { return {static_cast<double>(g.x), static_cast<double>(g.y)}; }

// Whether an offset is surely shorter than `length`, by its square alone:
// its root could then raise no largest that `length` is.
bool SurelyBelow(Point off, double length) {
  return length > 0 && off.x * off.x + off.y * off.y < length * length * (1 - 1e-12);
}

// How far p lies from the grid point g. A vertex on the grid already (a
// JHF's all are) needs no root.
double Off(Point p, Grid g) {
  double dx = p.x - static_cast<double>(g.x), dy = p.y - static_cast<double>(g.y);
  return dx == 0 && dy == 0 ? 0 : std::hypot(dx, dy);
}

class Placer {
 public:
  // rightmostOnGrid: the advance follows the rightmost point drawn, which
  // is then kept on the grid (see PlaceArc).
  Placer(double scale, double tolerance, bool rightmostOnGrid, GridGlyph& out)
      : scale_(scale), tolerance_(tolerance), rightmostOnGrid_(rightmostOnGrid), out_(out) {}

  void PlaceStroke(const Stroke& stroke) {
    const std::vector<StrokeVertex>& v = stroke.vertices;
    if (v.size() < 2) return;
    Point start = Scaled(v[0]);
    Grid at = Round(start);
    // A stroke that starts where the pen stands goes on without lifting it:
    // the drawing is the same.
    if (!(penDown_ && at == pen_)) {
      LiftPen();
      MoveTo(at);
      out_.items.PenDown();
      penDown_ = true;
    }
    Note(Off(start, at));
    // A straight piece's end is the next one's start: rounded once.
    Grid endGrid = at;
    std::size_t endIndex = 0;
    for (std::size_t k = 1; k < v.size();) {
      if (v[k].sampled && v[k].bulge == 0) {
        std::size_t end = k;
        while (end < v.size() && v[end].sampled && v[end].bulge == 0) ++end;
        PlaceSamples(stroke, k - 1, end - 1);
        k = end;
        continue;
      }
      Point from = Scaled(v[k - 1]), to = Scaled(v[k]);
      if (v[k].bulge == 0) {
        Grid a = endIndex == k - 1 ? endGrid : Round(from), b = Round(to);
        Line(from, to, a, b);
        endGrid = b, endIndex = k;
      } else {
        PlaceArc(ArcOfBulge(from, to, v[k].bulge), 0);
      }
      ++k;
    }
    // A stroke that drew nothing (it stays on one point, or the grid
    // shrinks it to one) still marks the page: its dot, which strays from
    // the stroke by the stroke's reach from the point and the dot's own
    // length.
    if (!inkAtPen_) {
      // Where the advance follows the rightmost point, the dot reaches
      // left, so that its point on the grid stays the rightmost.
      out_.items.Dot(rightmostOnGrid_);
      inkAtPen_ = true;
      Ink(static_cast<double>(pen_.x) + (rightmostOnGrid_ ? 0 : 1.0 / kDotDivisor));
      double reach = 0;
      for (const StrokeVertex& vertex : v) {
        Point p = Scaled(vertex);
        reach = std::max(reach, std::hypot(p.x - static_cast<double>(pen_.x), p.y - static_cast<double>(pen_.y)));
      }
      Note(reach + 1.0 / kDotDivisor);
    }
  }

  // spacingAfterInk: NaN, or the spacing the format adds to the ink's
  // rightmost point (see StrokeGlyph).
  void End(double advance, double spacingAfterInk) {
    Grid end{static_cast<long long>(NearestGridUnit(advance * scale_)), 0};
    // The rightmost point drawn, rounded, and the spacing, rounded, each on
    // the grid: their sum strays from the advance read by up to a unit
    // where rounding the advance whole strays by up to half of one, but a
    // font whose advances are all so made gives them back with a single
    // spacing. A glyph whose ink lies left of its origin keeps no advance,
    // as the format's reader has it.
    if (!std::isnan(spacingAfterInk) && inkRight_ > -HUGE_VAL) {
      end.x = inkRight_ < 0 ? 0
                            : static_cast<long long>(NearestGridUnit(inkRight_)) +
                                  static_cast<long long>(NearestGridUnit(spacingAfterInk * scale_));
    }
    // Every glyph leaves the pen up, so that nothing after it draws.
    LiftPen();
    MoveTo(end);
    out_.advance = static_cast<int>(end.x);
  }

 private:
  void LiftPen() {
    if (penDown_) out_.items.PenUp();
    penDown_ = false;
    inkAtPen_ = false;
  }

  Point Scaled(const StrokeVertex& v) const { return {v.x * scale_, v.y * scale_}; }
  void Ink(double x) { inkRight_ = std::max(inkRight_, x); }

  // A bulge arc item from `from` (where the pen stands) to `to`, its
  // reach to the right as the drawing will draw it.
  void ArcTo(Grid from, Grid to, int q) {
    out_.items.Arc(static_cast<int>(to.x - from.x), static_cast<int>(to.y - from.y), q);
    Ink(ArcRightmost(ArcOfBulge(AsPoint(from), AsPoint(to), q / kBulgeSteps)));
    Ink(static_cast<double>(std::max(from.x, to.x)));
    pen_ = to;
    inkAtPen_ = true;
  }
  void Note(double error) { out_.largestError = std::max(out_.largestError, error); }

  void MoveTo(Grid to) {
    if (penDown_ && !(to == pen_)) Ink(static_cast<double>(std::max(pen_.x, to.x)));
    double stray = out_.items.Move(static_cast<int>(to.x - pen_.x), static_cast<int>(to.y - pen_.y));
    if (penDown_) Note(stray);
    if (penDown_ && stray > 0) out_.strayed = true;
    if (penDown_ && !(to == pen_)) inkAtPen_ = true;
    pen_ = to;
  }

  // A straight piece strays from its rounded self (its ends rounded to a
  // and b) by at most the larger of its ends' moves.
  void Line(Point from, Point to, Grid a, Grid b) {
    Note(std::max(Off(from, a), Off(to, b)));
    if (b == a) Note(std::max(Off(from, b), Off(to, a)));
    MoveTo(b);
  }

  // Pieces from one grid point on, and the farthest they stray from the
  // samples or curve they stand for.
  struct Plan {
    std::vector<ArcStep> steps;
    double error = 0;
  };

  static void Append(Plan& plan, const Plan& more) {
    plan.steps.insert(plan.steps.end(), more.steps.begin(), more.steps.end());
    plan.error = std::max(plan.error, more.error);
  }

  static std::size_t Bytes(const Plan& plan) {
    ShapeItems items;
    for (const ArcStep& step : plan.steps) {
      if (step.q == 0) {
        items.Move(step.dx, step.dy);
      } else {
        items.Arc(step.dx, step.dy, step.q);
      }
    }
    return items.ByteCount();
  }

  // A run of samples (indices first to last into the stroke's vertices) in
  // the fewest bytes: straight pieces thinned over the whole run, or each
  // curve of it as its fitted arcs or its own straight pieces, or arcs
  // wherever they fit. Arcs must be shorter to be taken.
  void PlaceSamples(const Stroke& stroke, std::size_t first, std::size_t last) {
    const std::vector<StrokeVertex>& v = stroke.vertices;
    Plan lines = Thinned(v, first, last);
    Plan mixed, arcs;
    bool fitted = false;
    std::size_t at = first;
    for (const CurveSpan& span : stroke.curves) {
      if (span.first < at || span.last > last || span.last <= span.first) continue;
      if (span.first > at) {
        Plan between = Thinned(v, at, span.first);
        Append(mixed, between);
        Append(arcs, between);
      }
      Plan straight = Thinned(v, span.first, span.last);
      std::size_t straightBytes = Bytes(straight);
      Point from = AsPoint(Round(Scaled(v[span.first])));
      SmoothCurve curve = span.curve.Scaled(scale_);
      // The arcs keep clear of the samples too, which lie off the curve by
      // up to their chords' stray: the font is measured against them.
      double pieces = static_cast<double>(span.last - span.first);
      double samplesStray = curve.Bend() / (8 * pieces * pieces);
      std::optional<CurveFit> fit = FitArcs(curve, from, tolerance_ - samplesStray, straightBytes, work_);
      if (fit) {
        Plan curved{fit->steps, fit->largestError + samplesStray};
        fitted = true;
        Append(mixed, Bytes(curved) < straightBytes || straight.error > tolerance_ ? curved : straight);
        Append(arcs, curved);
      } else {
        Append(mixed, straight);
        Append(arcs, straight);
      }
      at = span.last;
    }
    const Plan* best = &lines;
    if (fitted) {
      if (at < last) {
        Plan rest = Thinned(v, at, last);
        Append(mixed, rest);
        Append(arcs, rest);
      }
      // Within the tolerance first, since a plan that strays past it costs
      // the font a finer grid; then the fewest bytes.
      std::size_t bytes = Bytes(lines);
      for (const Plan* other : {&mixed, &arcs}) {
        std::size_t otherBytes = Bytes(*other);
        bool within = other->error <= tolerance_, bestWithin = best->error <= tolerance_;
        if ((within && !bestWithin) || (within == bestWithin && otherBytes < bytes)) best = other, bytes = otherBytes;
      }
    }
    Note(best->error);
    for (const ArcStep& step : best->steps) {
      Grid to{pen_.x + step.dx, pen_.y + step.dy};
      if (step.q == 0) {
        MoveTo(to);
      } else {
        ArcTo(pen_, to, step.q);
      }
    }
  }

  // The samples first to last (indices into v) as the fewest straight
  // pieces that keep every sample within half the tolerance; rounding
  // takes the rest.
  Plan Thinned(const std::vector<StrokeVertex>& v, std::size_t first, std::size_t last) {
    std::vector<Point> points;
    for (std::size_t k = first; k <= last; ++k) points.push_back(Scaled(v[k]));
    std::vector<char> keep(points.size(), 0);
    keep.front() = keep.back() = 1;
    Thin(points, 0, points.size() - 1, keep);
    Plan plan;
    std::size_t from = 0;
    for (std::size_t k = 1; k < points.size(); ++k) {
      if (!keep[k]) continue;
      Grid a = Round(points[from]), b = Round(points[k]);
      for (std::size_t s = from; s <= k; ++s) {
        Point off = OffSegment(points[s], AsPoint(a), AsPoint(b));
        if (SurelyBelow(off, plan.error)) continue;
        plan.error = std::max(plan.error, std::hypot(off.x, off.y));
      }
      if (!(a == b)) plan.steps.push_back({static_cast<int>(b.x - a.x), static_cast<int>(b.y - a.y), 0});
      from = k;
    }
    return plan;
  }

  void Thin(const std::vector<Point>& points, std::size_t first, std::size_t last, std::vector<char>& keep) {
    // Iterative, so that a long curve cannot exhaust the stack.
    std::vector<std::pair<std::size_t, std::size_t>> spans{{first, last}};
    while (!spans.empty()) {
      auto [a, b] = spans.back();
      spans.pop_back();
      if (b <= a + 1) continue;
      double farthest = -1;
      std::size_t at = a;
      for (std::size_t k = a + 1; k < b; ++k) {
        Point off = OffSegment(points[k], points[a], points[b]);
        if (SurelyBelow(off, farthest)) continue;
        double d = std::hypot(off.x, off.y);
        if (d > farthest) {
          farthest = d;
          at = k;
        }
      }
      if (farthest > tolerance_ / 2) {
        keep[at] = 1;
        spans.push_back({a, at});
        spans.push_back({at, b});
      }
    }
  }

  void PlaceArc(const ArcSegment& arc, int depth) {
    // An arc whose rightmost point lies between its ends would draw it off
    // the grid, and the advance that follows it off by a share of a unit:
    // it is cut there, so that the point is an end, rounded as ends are.
    if (rightmostOnGrid_ && depth == 0 && arc.sweep != 0) {
      Point right{arc.centre.x + std::fabs(arc.axisX), arc.centre.y};
      double ends = std::max(arc.from.x, arc.to.x);
      if (ArcRightmost(arc) > ends + 1e-9 * (1 + std::fabs(ends))) {
        double start = std::atan2(arc.from.y - arc.centre.y, arc.from.x - arc.centre.x) * 180 / std::numbers::pi;
        double toRight = std::fmod(720 - start, 360.0);  // counterclockwise, 0 to 360
        if (arc.sweep < 0) toRight = toRight == 0 ? 0 : toRight - 360;
        constexpr double kDegrees = std::numbers::pi / 180;
        PlaceArc(ArcOfBulge(arc.from, right, std::tan(toRight * kDegrees / 4)), depth + 1);
        PlaceArc(ArcOfBulge(right, arc.to, std::tan((arc.sweep - toRight) * kDegrees / 4)), depth + 1);
        return;
      }
    }
    Grid a = Round(arc.from), b = Round(arc.to);
    double bulge = 0;
    BulgeOfArc(arc, bulge);
    bool mustSplit = std::fabs(bulge) > 1 + 1e-12 || std::llabs(b.x - a.x) > kLargestChord ||
                     std::llabs(b.y - a.y) > kLargestChord;
    if (!mustSplit || depth >= kDeepestSplit) {
      int q = static_cast<int>(std::lround(std::clamp(bulge, -1.0, 1.0) * kBulgeSteps));
      double error = Stray(arc, a, b, q);
      // An arc that cannot keep its rightmost point on its end within the
      // tolerance is halved: the half that ends there bends less.
      bool keptRight = !rightmostOnGrid_ || KeepRightmostAtEnd(arc, a, b, q, error);
      if ((error <= tolerance_ && !mustSplit && keptRight) || depth >= kDeepestSplit) {
        Note(error);
        if (q == 0 || b == a) {
          MoveTo(b);
        } else {
          ArcTo(a, b, q);
        }
        return;
      }
    }
    // Halves of the arc, split at its middle.
    Point middle = PointOnArc(arc, 0.5);
    double halfBulge = std::tan(std::atan(bulge) / 2);
    PlaceArc(ArcOfBulge(arc.from, middle, halfBulge), depth + 1);
    PlaceArc(ArcOfBulge(middle, arc.to, halfBulge), depth + 1);
  }

  // An arc that ends at its rightmost point, drawn between rounded ends
  // with its bulge in steps, may swing a little past that end: a flatter
  // bulge, the steepest that does not swing past, brings the rightmost
  // point back to the end on the grid where that strays no farther than
  // the tolerance, or than the bulge as rounded.
  // False where it does not.
  bool KeepRightmostAtEnd(const ArcSegment& arc, Grid a, Grid b, int& q, double& error) const {
    auto past = [&](int steps) {
      double ends = static_cast<double>(std::max(a.x, b.x));
      return ArcRightmost(ArcOfBulge(AsPoint(a), AsPoint(b), steps / kBulgeSteps)) > ends + 1e-9 * (1 + std::fabs(ends));
    };
    if (q == 0 || !past(q)) return true;
    // A straight line swings past neither end, and the swing grows with
    // the bulge: halving finds the steepest step that stays within.
    int sign = q > 0 ? 1 : -1, within = 0, beyond = std::abs(q);
    while (beyond - within > 1) {
      int middle = (within + beyond) / 2;
      (past(sign * middle) ? beyond : within) = middle;
    }
    int flatter = sign * within;
    double flatterError = Stray(arc, a, b, flatter);
    if (flatterError > std::max(tolerance_, error)) return false;
    q = flatter;
    error = flatterError;
    return true;
  }

  // How far the arc drawn from a to b with bulge q strays from the arc
  // wanted, point for point along both.
  static double Stray(const ArcSegment& wanted, Grid a, Grid b, int q) {
    ArcSegment drawn = ArcOfBulge(AsPoint(a), AsPoint(b), q / kBulgeSteps);
    double farthest = 0;
    for (int s = 0; s <= kArcSamples; ++s) {
      double t = static_cast<double>(s) / kArcSamples;
      Point p = PointOnArc(wanted, t);
      Point d = q == 0 ? Point{a.x + t * static_cast<double>(b.x - a.x), a.y + t * static_cast<double>(b.y - a.y)}
                       : PointOnArc(drawn, t);
      farthest = std::max(farthest, std::hypot(p.x - d.x, p.y - d.y));
    }
    return farthest;
  }

  double scale_;
  double tolerance_;
  bool rightmostOnGrid_;
  GridGlyph& out_;
  Grid pen_;
  bool penDown_ = true;  // a glyph starts with the pen down at its origin
  bool inkAtPen_ = false;  // the pen has drawn up to where it stands
  long long work_ = kFitWork;
  double inkRight_ = -HUGE_VAL;  // the rightmost point drawn, in grid units
};

}  // namespace

GridGlyph PlaceOnGrid(const StrokeGlyph& glyph, double scale, double tolerance) {
  GridGlyph out;
  // A move a vertex, a pen-up and pen-down a stroke, and the end.
  std::size_t moves = 2;
  for (const Stroke& stroke : glyph.strokes) moves += stroke.vertices.size() + 2;
  out.items.Reserve(moves);
  Placer placer(scale, tolerance, !std::isnan(glyph.spacingAfterInk), out);
  for (const Stroke& stroke : glyph.strokes) placer.PlaceStroke(stroke);
  placer.End(glyph.advance, glyph.spacingAfterInk);
  return out;
}

void VertexRounding::Add(const StrokeGlyph& glyph) {
  for (const Stroke& stroke : glyph.strokes) {
    for (const StrokeVertex& v : stroke.vertices) points_.push_back({v.x, v.y});
  }
}

bool VertexRounding::Within(double scale, double tolerance) {
  // The distance to the nearest unit, squared (past ten million units the
  // grid's rounding holds the number back). Adding and taking away
  // 1.5 * 2^52 rounds a number this small to a whole one in the adder:
  // half-way ties go to the even unit, not away from zero as the grid's
  // own rounding has them, but the distance, half a unit, is the same.
  constexpr double kRounder = 6755399441055744.0;
  auto squared = [scale](Point p) {
    double x = p.x * scale, y = p.y * scale;
    if (!(std::fabs(x) < 1e7 && std::fabs(y) < 1e7)) {
      x -= NearestGridUnit(x), y -= NearestGridUnit(y);
    } else {
      x -= (x + kRounder) - kRounder, y -= (y + kRounder) - kRounder;
    }
    return x * x + y * y;
  };
  // Squares well within the tolerance's pass without their root; a vertex
  // of no number rules no grid out.
  double surely = tolerance * tolerance * (1 - 1e-9);
  auto off = [&](Point p) {
    double s = squared(p);
    return !(s <= surely) && std::sqrt(s) > tolerance;
  };
  constexpr std::size_t kHardestKept = 16;
  for (std::size_t k : hardest_) {
    if (off(points_[k])) return false;
  }
  for (std::size_t k = 0; k < points_.size(); ++k) {
    if (off(points_[k])) {
      if (hardest_.size() == kHardestKept) hardest_.pop_back();
      hardest_.insert(hardest_.begin(), k);
      return false;
    }
  }
  return true;
}

}  // namespace morlune::convert
