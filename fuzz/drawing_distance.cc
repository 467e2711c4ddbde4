#include "fuzz/drawing_distance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <variant>

namespace morlune::fuzzing {
namespace {

constexpr double kPi = 3.14159265358979323846;
// An arc is cut into at most this many pieces; what they stray is told.
constexpr int kMostArcPieces = 64;

Point Scaled(Point p, double scale) { return {p.x * scale, p.y * scale}; }

// The point at angle t of an arc: centre + (axisX cos t, axisY sin t).
Point OnArc(const ArcSegment& arc, double angle) {
  return {arc.centre.x + arc.axisX * std::cos(angle), arc.centre.y + arc.axisY * std::sin(angle)};
}

// The angle of `from` on the circle the arc was stretched from. An axis
// squashed to nothing leaves the other's share alone, which two angles
// give: the one whose sweep ends at `to`. Worked out here apart from the
// converter's arithmetic, which the comparison judges.
double StartAngle(const ArcSegment& arc, double sweep) {
  auto share = [](double offset, double axis) { return std::clamp(offset / axis, -1.0, 1.0); };
  if (arc.axisX == 0 && arc.axisY != 0) {
    double a = std::asin(share(arc.from.y - arc.centre.y, arc.axisY)), b = kPi - a;
    double end = share(arc.to.y - arc.centre.y, arc.axisY);
    return std::fabs(std::sin(a + sweep) - end) <= std::fabs(std::sin(b + sweep) - end) ? a : b;
  }
  if (arc.axisY == 0 && arc.axisX != 0) {
    double a = std::acos(share(arc.from.x - arc.centre.x, arc.axisX));
    double end = share(arc.to.x - arc.centre.x, arc.axisX);
    return std::fabs(std::cos(a + sweep) - end) <= std::fabs(std::cos(sweep - a) - end) ? a : -a;
  }
  double ux = arc.axisX != 0 ? (arc.from.x - arc.centre.x) / arc.axisX : 0;
  double uy = arc.axisY != 0 ? (arc.from.y - arc.centre.y) / arc.axisY : 0;
  return std::atan2(uy, ux);
}

double SquaredDistance(Point p, Point q) { return (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y); }

double SquaredDistanceToPiece(Point p, Point a, Point b) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
  return SquaredDistance(p, {a.x + t * dx, a.y + t * dy});
}

// Squares compared, one root taken: a point meets every piece of the
// other drawing, and a root per piece was most of the measure's time.
double DistanceToDrawing(Point p, const Polylines& to) {
  double nearest = std::numeric_limits<double>::infinity();
  for (const std::vector<Point>& line : to) {
    if (line.size() == 1) nearest = std::min(nearest, SquaredDistance(p, line[0]));
    for (std::size_t k = 1; k < line.size(); ++k) {
      nearest = std::min(nearest, SquaredDistanceToPiece(p, line[k - 1], line[k]));
    }
  }
  return std::sqrt(nearest);
}

}  // namespace

Polylines GlyphPolylines(const Glyph& glyph, double scale, double& flattening) {
  Polylines lines;
  flattening = 0;
  for (const Path& path : glyph.paths) {
    std::vector<Point> line{Scaled(path.start, scale)};
    for (const Segment& segment : path.segments) {
      if (const auto* piece = std::get_if<LineSegment>(&segment)) {
        line.push_back(Scaled(piece->to, scale));
        continue;
      }
      const auto& arc = std::get<ArcSegment>(segment);
      double sweep = arc.sweep * kPi / 180;
      double start = StartAngle(arc, sweep);
      int pieces = std::clamp(static_cast<int>(std::ceil(std::fabs(sweep) / (kPi / 32))), 1, kMostArcPieces);
      double radius = std::max(std::fabs(arc.axisX), std::fabs(arc.axisY)) * scale;
      // A chord over angle a strays r(1 - cos(a/2)) from its circle.
      flattening = std::max(flattening, radius * (1 - std::cos(std::fabs(sweep) / pieces / 2)));
      for (int k = 1; k < pieces; ++k) line.push_back(Scaled(OnArc(arc, start + sweep * k / pieces), scale));
      line.push_back(Scaled(arc.to, scale));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

double DirectedDistance(const Polylines& from, const Polylines& to, double step) {
  double farthest = 0;
  for (const std::vector<Point>& line : from) {
    if (line.empty()) continue;
    // A point's distance to `to` grows by at most the way it moved: the
    // last measured distance plus the way walked since bounds the next
    // point's, and a point bounded within the farthest found is passed over.
    double ceiling = DistanceToDrawing(line[0], to);
    farthest = std::max(farthest, ceiling);
    for (std::size_t k = 1; k < line.size(); ++k) {
      Point a = line[k - 1], b = line[k];
      double length = std::hypot(b.x - a.x, b.y - a.y);
      int samples = step > 0 ? static_cast<int>(std::min(1e6, std::ceil(length / step))) : 1;
      double walk = length / samples;
      for (int s = 1; s <= samples; ++s) {
        ceiling += walk;
        if (ceiling <= farthest) continue;
        double t = static_cast<double>(s) / samples;
        ceiling = DistanceToDrawing({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}, to);
        farthest = std::max(farthest, ceiling);
      }
    }
  }
  return farthest;
}

double Extent(const Polylines& lines) {
  double farthest = 0;
  for (const std::vector<Point>& line : lines) {
    for (const Point& p : line) farthest = std::max(farthest, std::hypot(p.x - line[0].x, p.y - line[0].y));
  }
  return farthest;
}

double TotalLength(const Polylines& lines) {
  double total = 0;
  for (const std::vector<Point>& line : lines) {
    for (std::size_t k = 1; k < line.size(); ++k) total += std::hypot(line[k].x - line[k - 1].x, line[k].y - line[k - 1].y);
  }
  return total;
}

std::size_t PieceCount(const Polylines& lines) {
  std::size_t count = 0;
  for (const std::vector<Point>& line : lines) count += std::max<std::size_t>(line.size(), 2) - 1;
  return count;
}

}  // namespace morlune::fuzzing
