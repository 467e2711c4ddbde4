// Sampling a glyph's contours and measuring each sample against the pen's
// centre line.
#include "convert/opentype/outline_deviation.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace morlune::convert {
namespace {

constexpr int kSamplesPerLine = 8;
constexpr int kSamplesPerCurve = 16;

double SquaredSegmentDistance(Point p, Point a, Point b) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
  double ox = p.x - (a.x + t * dx), oy = p.y - (a.y + t * dy);
  return ox * ox + oy * oy;
}

double ArcDistance(Point p, const CircleArc& arc) {
  auto length = [](double x, double y) { return std::sqrt(x * x + y * y); };
  double ends = std::min(length(p.x - arc.from.x, p.y - arc.from.y), length(p.x - arc.to.x, p.y - arc.to.y));
  double dx = p.x - arc.centre.x, dy = p.y - arc.centre.y;
  double radial = std::fabs(length(dx, dy) - arc.radius);
  constexpr double kTurn = 2 * std::numbers::pi;
  if (std::fabs(arc.sweep) >= kTurn) return radial;
  // The angle from the arc's start, in its own turning direction.
  double along = std::atan2(dy, dx) - arc.start;
  if (arc.sweep < 0) along = -along;
  along = std::fmod(along, kTurn);
  if (along < 0) along += kTurn;
  return along <= std::fabs(arc.sweep) ? std::min(radial, ends) : ends;
}

// The pieces of the contour as sample points, implied on-curve points
// made explicit.
void SampleContour(const TrueTypeContour& contour, std::vector<Point>& samples) {
  std::vector<CurvePoint> points = WithImpliedPoints(contour);
  std::size_t m = points.size();
  for (std::size_t k = 0; k < m; ++k) {
    if (!points[k].onCurve) continue;
    std::size_t next = (k + 1) % m;
    Point a = points[k].at;
    if (points[next].onCurve) {
      Point b = points[next].at;
      for (int s = 0; s < kSamplesPerLine; ++s) {
        double t = static_cast<double>(s) / kSamplesPerLine;
        samples.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
      }
    } else {
      Point c = points[next].at, b = points[(next + 1) % m].at;
      for (int s = 0; s < kSamplesPerCurve; ++s) {
        double t = static_cast<double>(s) / kSamplesPerCurve, u = 1 - t;
        samples.push_back({u * u * a.x + 2 * u * t * c.x + t * t * b.x, u * u * a.y + 2 * u * t * c.y + t * t * b.y});
      }
    }
  }
}

}  // namespace

double DistanceToCentre(Point p, const CentreLine& centre) {
  double nearest2 = HUGE_VAL;
  for (const LineSegment& line : centre.lines) nearest2 = std::min(nearest2, SquaredSegmentDistance(p, line.from, line.to));
  double nearest = std::sqrt(nearest2);
  for (const CircleArc& arc : centre.arcs) nearest = std::min(nearest, ArcDistance(p, arc));
  return nearest;
}

double LargestDeviation(std::span<const TrueTypeContour> contours, const CentreLine& centre, double radius) {
  if (centre.Empty()) return 0;
  std::vector<Point> samples;
  for (const TrueTypeContour& contour : contours) SampleContour(contour, samples);
  long long pieces = static_cast<long long>(centre.lines.size() + centre.arcs.size());
  long long affordable = std::max<long long>(1, kDeviationWork / pieces);
  std::size_t stride = std::max<std::size_t>(1, samples.size() / static_cast<std::size_t>(affordable) + 1);
  if (static_cast<long long>(samples.size()) <= affordable) stride = 1;
  double largest = 0;
  for (std::size_t k = 0; k < samples.size(); k += stride) {
    largest = std::max(largest, std::fabs(DistanceToCentre(samples[k], centre) - radius));
  }
  return largest;
}

}  // namespace morlune::convert
