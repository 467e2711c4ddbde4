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
      double ux = arc.axisX != 0 ? (arc.from.x - arc.centre.x) / arc.axisX : 0;
      double uy = arc.axisY != 0 ? (arc.from.y - arc.centre.y) / arc.axisY : 0;
      double start = std::atan2(uy, ux);
      double sweep = arc.sweep * kPi / 180;
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
  auto measure = [&](Point p) { farthest = std::max(farthest, DistanceToDrawing(p, to)); };
  for (const std::vector<Point>& line : from) {
    if (line.empty()) continue;
    measure(line[0]);
    for (std::size_t k = 1; k < line.size(); ++k) {
      Point a = line[k - 1], b = line[k];
      double length = std::hypot(b.x - a.x, b.y - a.y);
      int samples = step > 0 ? static_cast<int>(std::min(1e6, std::ceil(length / step))) : 1;
      for (int s = 1; s <= samples; ++s) {
        double t = static_cast<double>(s) / samples;
        measure({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
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
