// The fit of bulge arcs to a smooth curve: each arc through the curve's
// points, judged by the item that would be written for it.
#include "convert/import/curve_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "convert/arc_math.h"

namespace morlune::convert {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMostBulge = static_cast<int>(kBulgeSteps);
// Halving what is left of the curve this often, the shortest stretch tried
// is 1/4096 of it.
constexpr int kSearchSteps = 12;
// Points along a stretch: enough that the curve strays from the polyline
// through them by an eighth of the tolerance, within these bounds. The
// drawn piece is looked at in fewer: it is a circle, smooth everywhere.
constexpr int kFewestSamples = 8;
constexpr int kMostSamples = 64;
constexpr int kDrawnSamples = 16;

// The grid point the item's end lands on.
Point Rounded(Point p) { return {NearestGridUnit(p.x), NearestGridUnit(p.y)}; }

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The distance from p to the arc: to its circle where p lies within the
// arc's sweep as seen from the centre, else to the nearer end.
// (The arc's own angles found once for all the points held against it.)
class ArcDistance {
 public:
  explicit ArcDistance(const ArcSegment& arc)
      : arc_(arc),
        radius_(std::fabs(arc.axisX)),
        sweep_(arc.sweep * kPi / 180),
        start_(std::atan2(arc.from.y - arc.centre.y, arc.from.x - arc.centre.x)),
        sense_(sweep_ >= 0 ? 1 : -1),
        from_{arc.from.x - arc.centre.x, arc.from.y - arc.centre.y},
        to_{arc.to.x - arc.centre.x, arc.to.y - arc.centre.y},
        fromLength_(std::hypot(from_.x, from_.y)),
        toLength_(std::hypot(to_.x, to_.y)) {}

  double To(Point p) const {
    double vx = p.x - arc_.centre.x, vy = p.y - arc_.centre.y;
    double length = std::hypot(vx, vy);
    // A point turned from both ends' radii into the sweep by more than a
    // billionth of a radian lies within it, whatever the angles' rounding
    // (a bulge arc turns at most a half turn): no angle is taken.
    double pastFrom = sense_ * (from_.x * vy - from_.y * vx), beforeTo = sense_ * (vx * to_.y - vy * to_.x);
    if (pastFrom > kClear * fromLength_ * length && beforeTo > kClear * toLength_ * length) {
      return std::fabs(length - radius_);
    }
    double turn = (std::atan2(vy, vx) - start_) * sense_;
    turn -= 2 * kPi * std::floor(turn / (2 * kPi));
    if (turn <= std::fabs(sweep_)) return std::fabs(length - radius_);
    return std::min(Distance(p, arc_.from), Distance(p, arc_.to));
  }

 private:
  static constexpr double kClear = 1e-9;
  const ArcSegment& arc_;
  double radius_, sweep_, start_, sense_;
  Point from_, to_;  // the ends from the centre
  double fromLength_, toLength_;
};

// The pieces of a polyline, each with what the distance to it takes
// from the piece alone (its run, its squared length, its box), so that
// points held against it again and again do not work them out anew.
class PieceSet {
 public:
  void Take(const std::vector<Point>& line) {
    pieces_.clear();
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
      Point a = line[k], b = line[k + 1];
      double dx = b.x - a.x, dy = b.y - a.y;
      pieces_.push_back({a, dx, dy, dx * dx + dy * dy, std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y),
                         std::max(a.y, b.y)});
    }
  }

  // The least of DistanceToSegment over the pieces, exactly. A piece whose
  // box lies farther than the nearest found (with room for rounding) is
  // passed over, the search starting at the piece `near` where the
  // nearest is likely; of the rest, only those whose square comes within
  // rounding of the least take the root.
  double Nearest(Point p, std::size_t near) {
    std::size_t count = pieces_.size();
    if (count == 0) return std::numeric_limits<double>::infinity();
    near = std::min(near, count - 1);
    double least = std::numeric_limits<double>::infinity();
    candidates_.clear();
    auto visit = [&](std::size_t k) {
      const Piece& piece = pieces_[k];
      double bx = std::max({piece.minX - p.x, 0.0, p.x - piece.maxX});
      double by = std::max({piece.minY - p.y, 0.0, p.y - piece.maxY});
      if (bx * bx + by * by > least * (1 + 1e-6)) return;
      double squared = Squared(p, piece);
      candidates_.push_back({k, squared});
      least = std::min(least, squared);
    };
    visit(near);
    for (std::size_t k = 0; k < count; ++k) {
      if (k != near) visit(k);
    }
    double nearest = std::numeric_limits<double>::infinity();
    for (const auto& [k, squared] : candidates_) {
      if (squared > least * (1 + 1e-9)) continue;
      Point off = Off(p, pieces_[k]);
      nearest = std::min(nearest, std::hypot(off.x, off.y));
    }
    return nearest;
  }

  // Whether p lies surely within `distance` of piece k (the last where k
  // is past it): Nearest then gives no more than that distance.
  bool SurelyWithin(Point p, std::size_t k, double distance) const {
    if (pieces_.empty()) return false;
    return Squared(p, pieces_[std::min(k, pieces_.size() - 1)]) <= distance * distance * (1 - 1e-12);
  }

 private:
  struct Piece {
    Point a;
    double dx, dy, length2;
    double minX, maxX, minY, maxY;
  };

  // As OffSegment works it out.
  static Point Off(Point p, const Piece& piece) {
    double t = piece.length2 > 0 ? ((p.x - piece.a.x) * piece.dx + (p.y - piece.a.y) * piece.dy) / piece.length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return {p.x - (piece.a.x + t * piece.dx), p.y - (piece.a.y + t * piece.dy)};
  }
  static double Squared(Point p, const Piece& piece) {
    Point off = Off(p, piece);
    return off.x * off.x + off.y * off.y;
  }

  std::vector<Piece> pieces_;
  std::vector<std::pair<std::size_t, double>> candidates_;
};

// The bulge of the circle through a, m and b, as an arc from a to b that
// passes m: the cotangent of half the angle a-m-b, positive where m lies
// to the right of the chord (the arc turns counterclockwise).
double BulgeThrough(Point a, Point m, Point b) {
  double ux = a.x - m.x, uy = a.y - m.y, vx = b.x - m.x, vy = b.y - m.y;
  double cross = ux * vy - uy * vx;
  double angle = std::atan2(std::fabs(cross), ux * vx + uy * vy);
  if (!(angle > 0)) return 0;
  double bulge = 1 / std::tan(angle / 2);
  return cross < 0 ? bulge : -bulge;
}

class Fitter {
 public:
  Fitter(const SmoothCurve& curve, double tolerance, long long& work)
      : curve_(curve), bend_(curve.Bend()), tolerance_(tolerance), work_(work) {}

  // The arc from a over the curve from t0 to t1 that strays least, looked
  // for from the circle through the stretch's middle one bulge step at a
  // time; false where no item can draw it or it strays past the tolerance.
  bool Fits(double t0, double t1, Point a, ArcStep& step, double& error) {
    Point b = Rounded(curve_.At(t1));
    step = {static_cast<int>(b.x - a.x), static_cast<int>(b.y - a.y), 0};
    if (std::abs(step.dx) > kLargestChord || std::abs(step.dy) > kLargestChord) return false;
    Sample(t0, t1);
    if (BeyondEveryArc(a, b)) return false;
    if (step.dx == 0 && step.dy == 0) {
      error = Stray(a, b, 0);
      return error <= tolerance_;
    }
    double bulge = BulgeThrough(a, curve_.At(t0 + (t1 - t0) / 2), b);
    int q = static_cast<int>(std::lround(std::clamp(bulge, -1.0, 1.0) * kBulgeSteps));
    error = Stray(a, b, q);
    for (int direction : {1, -1}) {
      while (error > tolerance_ && work_ >= 0) {
        int next = q + direction;
        if (next < -kMostBulge || next > kMostBulge) break;
        double nextError = Stray(a, b, next, error);
        if (!(nextError < error)) break;
        q = next;
        error = nextError;
      }
    }
    step.q = q;
    return error <= tolerance_;
  }

  bool WorkLeft() const { return work_ >= 0; }

  // Whether a sample lies farther than the tolerance outside the disc
  // whose diameter is the chord from a to b: every arc an item draws
  // between them (a half turn at most) lies within that disc, so none
  // comes within the tolerance of the sample, and no bulge need be tried.
  bool BeyondEveryArc(Point a, Point b) const {
    Point middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
    // Squares compared, with room for the rounding of every measure.
    double reach = Distance(a, b) / 2 + tolerance_;
    reach += 1e-9 * (reach + 1);
    double reach2 = reach * reach;
    for (const Point& p : points_) {
      double dx = p.x - middle.x, dy = p.y - middle.y;
      if (dx * dx + dy * dy > reach2) return true;
    }
    return false;
  }

 private:
  // The curve's points over the stretch, and how far the curve may lie from
  // the polyline through them.
  void Sample(double t0, double t1) {
    double span = t1 - t0;
    double wanted = std::sqrt(bend_ * span * span / tolerance_);
    int n = !(wanted > kFewestSamples) ? kFewestSamples : wanted >= kMostSamples ? kMostSamples : static_cast<int>(std::ceil(wanted));
    points_.clear();
    for (int k = 0; k <= n; ++k) points_.push_back(curve_.At(k == n ? t1 : t0 + span * k / n));
    pieces_.Take(points_);
    slack_ = bend_ * span * span / (8.0 * n * n);
  }

  // The farthest the piece drawn from a to b with bulge q and the sampled
  // stretch lie from each other, both ways; a piece of no length draws
  // nothing and the stretch is held against the point where the pen stays.
  // Where only whether it comes below `below` matters, the measure stops
  // once it cannot.
  double Stray(Point a, Point b, int q, double below = HUGE_VAL) {
    work_ -= static_cast<long long>(points_.size() * (kDrawnSamples + 2));
    double farthest = 0;
    ArcSegment arc = ArcOfBulge(a, b, q / kBulgeSteps);
    ArcDistance toArc(arc);
    for (const Point& p : points_) {
      farthest = std::max(farthest, q == 0 ? DistanceToSegment(p, a, b) : toArc.To(p));
      if (farthest + slack_ >= below) return farthest + slack_;
    }
    ArcPoints along(arc);
    for (int k = 0; k <= kDrawnSamples; ++k) {
      double t = static_cast<double>(k) / kDrawnSamples;
      Point p = q == 0 ? Point{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)} : along.At(t);
      // The drawn point at share t lies nearest the samples' piece at about
      // that share.
      std::size_t near = static_cast<std::size_t>(t * static_cast<double>(points_.size() - 1));
      // Within the farthest of that piece, the point cannot raise it.
      if (pieces_.SurelyWithin(p, near, farthest)) continue;
      farthest = std::max(farthest, pieces_.Nearest(p, near));
      if (farthest + slack_ >= below) return farthest + slack_;
    }
    return farthest + slack_;
  }

  const SmoothCurve& curve_;
  double bend_;
  double tolerance_;
  long long& work_;
  std::vector<Point> points_;
  PieceSet pieces_;
  double slack_ = 0;
};

}  // namespace

std::optional<CurveFit> FitArcs(const SmoothCurve& curve, Point start, double tolerance, std::size_t mostSteps,
                                long long& work) {
  if (!curve.Finite() || !(tolerance > 0) || !std::isfinite(tolerance)) return std::nullopt;
  Fitter fitter(curve, tolerance, work);
  CurveFit fit;
  Point at = start;
  double t0 = 0;
  // Pieces that draw nothing count too, so that the stretches cannot
  // shrink without end.
  for (std::size_t pieces = 0; t0 < 1; ++pieces) {
    if (pieces >= mostSteps) return std::nullopt;
    ArcStep step;
    double error = 0;
    double reach = 1;
    if (!fitter.Fits(t0, 1, at, step, error)) {
      // The longest stretch from t0 that fits, by halving.
      double fits = t0, fails = 1;
      for (int k = 0; k < kSearchSteps && fitter.WorkLeft(); ++k) {
        double middle = fits + (fails - fits) / 2;
        ArcStep tried;
        double triedError = 0;
        if (fitter.Fits(t0, middle, at, tried, triedError)) {
          fits = middle;
          step = tried;
          error = triedError;
        } else {
          fails = middle;
        }
      }
      if (fits == t0) return std::nullopt;
      reach = fits;
    }
    if (!fitter.WorkLeft()) return std::nullopt;
    if (step.dx != 0 || step.dy != 0) fit.steps.push_back(step);
    fit.largestError = std::max(fit.largestError, error);
    at = {at.x + step.dx, at.y + step.dy};
    t0 = reach;
  }
  return fit;
}

}  // namespace morlune::convert
