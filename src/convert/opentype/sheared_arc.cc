// Points along an elliptic, possibly sheared arc, and how finely to cut it.
#include "convert/opentype/sheared_arc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace morlune::convert {
namespace {

double Share(double offset, double axis) { return std::clamp(offset / axis, -1.0, 1.0); }

// The angle of `from` on the circle the arc was mapped from. An axis
// squashed to nothing leaves only the other's share, which two angles
// give: the one whose sweep ends nearer `to`.
double StartAngle(const ArcSegment& arc, double sweep) {
  double dx = arc.from.x - arc.centre.x, dy = arc.from.y - arc.centre.y;
  double ex = arc.to.x - arc.centre.x, ey = arc.to.y - arc.centre.y;
  if (arc.axisY != 0 && arc.axisX == 0) {
    double a = std::asin(Share(dy, arc.axisY)), b = std::numbers::pi - a;
    double end = Share(ey, arc.axisY);
    return std::fabs(std::sin(a + sweep) - end) <= std::fabs(std::sin(b + sweep) - end) ? a : b;
  }
  if (arc.axisX != 0 && arc.axisY == 0) {
    double a = std::acos(Share(dx, arc.axisX)), b = -a;
    double end = Share(ex, arc.axisX);
    return std::fabs(std::cos(a + sweep) - end) <= std::fabs(std::cos(b + sweep) - end) ? a : b;
  }
  if (arc.axisX == 0) return 0;
  // Shear moves x by shear * axisY * sin a = shear * dy.
  double ux = (dx - arc.shear * dy) / arc.axisX;
  double uy = dy / arc.axisY;
  return std::atan2(uy, ux);
}

}  // namespace

ShearedArc::ShearedArc(const ArcSegment& arc) : arc_(arc) {
  // More than a full turn draws nothing a full turn does not.
  double degrees = std::isfinite(arc.sweep) ? std::clamp(arc.sweep, -360.0, 360.0) : 0;
  sweep_ = degrees * std::numbers::pi / 180;
  start_ = StartAngle(arc_, sweep_);
  if (!std::isfinite(start_)) start_ = 0;
  // Singular values of [[axisX, shear axisY], [0, axisY]].
  double a = arc.axisX, b = arc.shear * arc.axisY, d = arc.axisY;
  double sumSquares = a * a + b * b + d * d;
  double determinant = a * d;
  double root = std::sqrt(std::max(0.0, sumSquares * sumSquares - 4 * determinant * determinant));
  largestRadius_ = std::sqrt(std::max(0.0, (sumSquares + root) / 2));
  if (!std::isfinite(largestRadius_)) largestRadius_ = HUGE_VAL;
}

Point ShearedArc::At(double t) const {
  if (t <= 0) return arc_.from;
  if (t >= 1) return arc_.to;
  double angle = start_ + t * sweep_;
  double c = std::cos(angle), s = std::sin(angle);
  return {arc_.centre.x + arc_.axisX * c + arc_.shear * arc_.axisY * s, arc_.centre.y + arc_.axisY * s};
}

bool ShearedArc::Circular() const {
  return arc_.shear == 0 && std::fabs(arc_.axisX) == std::fabs(arc_.axisY) && arc_.axisX != 0;
}

int ShearedArc::PiecesWithin(double tolerance, int mostPieces) const {
  // A chord over angle a of the unit circle strays 1 - cos(a/2) from it;
  // the map stretches that by at most the largest radius.
  if (!(largestRadius_ > tolerance && tolerance > 0) || sweep_ == 0) return 1;
  if (!std::isfinite(largestRadius_)) return mostPieces;
  double most = 2 * std::acos(1 - tolerance / largestRadius_);
  double pieces = most > 0 ? std::ceil(std::fabs(sweep_) / most) : mostPieces;
  return static_cast<int>(std::clamp(pieces, 1.0, static_cast<double>(mostPieces)));
}

}  // namespace morlune::convert
