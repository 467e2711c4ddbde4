// Arc arithmetic: points by angle, flattening within a flatness, bulges
// both ways and the farthest reach of a sweep.
#include "convert/arc_math.h"

#include <algorithm>
#include <cmath>

namespace morlune::convert {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMostPieces = 4096;
// The angle of `from` on the circle the arc was stretched from, in radians.
// A frame that squashes one axis to nothing leaves only the other's share,
// which two angles give: the one whose sweep ends at `to`.
double StartAngle(const ArcSegment& arc) {
  auto share = [](double offset, double axis) { return std::clamp(offset / axis, -1.0, 1.0); };
  double sweep = arc.sweep * kPi / 180;
  if (arc.axisX == 0 && arc.axisY != 0) {
    double a = std::asin(share(arc.from.y - arc.centre.y, arc.axisY)), b = kPi - a;
    double end = share(arc.to.y - arc.centre.y, arc.axisY);
    return std::fabs(std::sin(a + sweep) - end) <= std::fabs(std::sin(b + sweep) - end) ? a : b;
  }
  if (arc.axisY == 0 && arc.axisX != 0) {
    double a = std::acos(share(arc.from.x - arc.centre.x, arc.axisX)), b = -a;
    double end = share(arc.to.x - arc.centre.x, arc.axisX);
    return std::fabs(std::cos(a + sweep) - end) <= std::fabs(std::cos(b + sweep) - end) ? a : b;
  }
  double ux = arc.axisX != 0 ? (arc.from.x - arc.centre.x) / arc.axisX : 0;
  double uy = arc.axisY != 0 ? (arc.from.y - arc.centre.y) / arc.axisY : 0;
  return std::atan2(uy, ux);
}

}  // namespace



Point PointOnArc(const ArcSegment& arc, double t) { return ArcPoints(arc).At(t); }

ArcPoints::ArcPoints(const ArcSegment& arc) : arc_(arc), start_(StartAngle(arc)) {}

Point ArcPoints::At(double t) const {
  if (t <= 0) return arc_.from;
  if (t >= 1) return arc_.to;
  double angle = start_ + t * arc_.sweep * kPi / 180;
  return {arc_.centre.x + arc_.axisX * std::cos(angle), arc_.centre.y + arc_.axisY * std::sin(angle)};
}

int FlatPieces(const ArcSegment& arc, double tolerance) {
  double radius = std::max(std::fabs(arc.axisX), std::fabs(arc.axisY));
  double sweep = std::fabs(arc.sweep) * kPi / 180;
  if (!(radius > tolerance && tolerance > 0 && std::isfinite(radius))) return 1;
  // A chord over angle a strays r(1 - cos(a/2)) from its circle.
  double most = 2 * std::acos(1 - tolerance / radius);
  int pieces = most > 0 ? static_cast<int>(std::min<double>(kMostPieces, std::ceil(sweep / most))) : kMostPieces;
  return std::max(pieces, 1);
}

std::vector<Point> FlattenArc(const ArcSegment& arc, double tolerance) {
  int pieces = FlatPieces(arc, tolerance);
  ArcPoints along(arc);
  std::vector<Point> points;
  points.reserve(static_cast<std::size_t>(pieces) + 1);
  for (int k = 0; k <= pieces; ++k) points.push_back(along.At(static_cast<double>(k) / pieces));
  return points;
}



double ArcDistanceToPolyline(const ArcSegment& arc, const std::vector<Point>& polyline) {
  if (polyline.size() < 2) return 0;
  std::size_t pieces = polyline.size() - 1;
  constexpr int kSamples = 8;
  ArcPoints along(arc);
  double farthest = 0;
  for (std::size_t k = 0; k < pieces; ++k) {
    for (int s = 0; s <= kSamples; ++s) {
      double t = (static_cast<double>(k) + static_cast<double>(s) / kSamples) / static_cast<double>(pieces);
      farthest = std::max(farthest, DistanceToSegment(along.At(t), polyline[k], polyline[k + 1]));
    }
  }
  return farthest;
}

ArcSegment ArcOfBulge(Point from, Point to, double bulge) {
  ArcSegment arc;
  arc.from = from;
  arc.to = to;
  double dx = to.x - from.x, dy = to.y - from.y;
  double chord = std::hypot(dx, dy);
  if (bulge == 0 || chord == 0) {
    arc.centre = {(from.x + to.x) / 2, (from.y + to.y) / 2};
    return arc;
  }
  // The centre lies on the chord's perpendicular, at (1 - b^2) / (4b) of
  // the chord from its midpoint, to the left for a counterclockwise arc.
  double along = (1 - bulge * bulge) / (4 * bulge);
  arc.centre = {(from.x + to.x) / 2 - along * dy, (from.y + to.y) / 2 + along * dx};
  double radius = chord * (1 + bulge * bulge) / (4 * std::fabs(bulge));
  arc.axisX = radius;
  arc.axisY = radius;
  arc.sweep = 4 * std::atan(bulge) * 180 / kPi;
  return arc;
}

double ArcRightmost(const ArcSegment& arc) {
  double ends = std::max(arc.from.x, arc.to.x);
  if (arc.sweep == 0) return ends;
  // The parameter where x is largest: 0 for a positive x semi-axis, a half
  // turn for a mirrored one.
  double peak = arc.axisX >= 0 ? 0 : 180;
  double start = StartAngle(arc) * 180 / kPi;
  double low = arc.sweep > 0 ? start : start + arc.sweep;
  double high = arc.sweep > 0 ? start + arc.sweep : start;
  double first = peak + 360 * std::ceil((low - peak) / 360);
  if (first <= high) return std::max(ends, arc.centre.x + std::fabs(arc.axisX));
  return ends;
}

bool BulgeOfArc(const ArcSegment& arc, double& bulge) {
  if (std::fabs(std::fabs(arc.axisX) - std::fabs(arc.axisY)) > 1e-9 * std::max(1.0, std::fabs(arc.axisX))) {
    return false;
  }
  // A frame that mirrors one axis turns the arc the other way.
  double sweep = arc.sweep;
  if ((arc.axisX < 0) != (arc.axisY < 0)) sweep = -sweep;
  bulge = std::tan(sweep * kPi / 180 / 4);
  return true;
}

}  // namespace morlune::convert
