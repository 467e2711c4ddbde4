// Sampling a glyph's contours and measuring each sample against the pen's
// centre line.
#include "convert/opentype/outline_deviation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
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

// The centre line's pieces filed in a grid of square cells by the boxes
// that hold them, so that the piece nearest a sample is sought among the
// cells around it, ring by ring, rather than among every piece of the
// glyph: a busy glyph has hundreds of pieces and thousands of samples,
// which made the plain search most of the export's time. A piece filed in
// every cell its box meets lies, at its point nearest the sample, in one
// of them; the search stops where the next ring lies farther than the
// nearest found, so it finds what the plain search finds.
class CentreGrid {
 public:
  CentreGrid(const CentreLine& centre, double margin) : centre_(centre) {
    std::vector<Box> boxes;
    for (const LineSegment& line : centre.lines) {
      boxes.push_back({std::min(line.from.x, line.to.x), std::min(line.from.y, line.to.y),
                       std::max(line.from.x, line.to.x), std::max(line.from.y, line.to.y)});
    }
    for (const CircleArc& arc : centre.arcs) {
      boxes.push_back({arc.centre.x - arc.radius, arc.centre.y - arc.radius, arc.centre.x + arc.radius,
                       arc.centre.y + arc.radius});
    }
    Box all = boxes.front();
    for (const Box& box : boxes) all = {std::min(all.x0, box.x0), std::min(all.y0, box.y0),
                                        std::max(all.x1, box.x1), std::max(all.y1, box.y1)};
    // The samples lie about the pen's radius off the centre line: the
    // margin keeps nearly all of them inside.
    all = {all.x0 - margin, all.y0 - margin, all.x1 + margin, all.y1 + margin};
    double extent = std::max(all.x1 - all.x0, all.y1 - all.y0);
    if (!std::isfinite(extent) || !(extent > 0)) return;
    cell_ = std::max(margin, extent / kMostCellsAcross);
    origin_ = {all.x0, all.y0};
    across_ = std::clamp(static_cast<int>((all.x1 - all.x0) / cell_) + 1, 1, kMostCellsAcross);
    down_ = std::clamp(static_cast<int>((all.y1 - all.y0) / cell_) + 1, 1, kMostCellsAcross);
    cells_.resize(static_cast<std::size_t>(across_) * static_cast<std::size_t>(down_));
    std::size_t filed = 0;
    for (std::size_t k = 0; k < boxes.size(); ++k) {
      int x0 = Column(boxes[k].x0), x1 = Column(boxes[k].x1), y0 = Row(boxes[k].y0), y1 = Row(boxes[k].y1);
      filed += static_cast<std::size_t>(x1 - x0 + 1) * static_cast<std::size_t>(y1 - y0 + 1);
      if (filed > kMostFiled) {
        cells_.clear();  // large arcs over a fine grid: the plain search
        return;
      }
      for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) cells_[Cell(x, y)].push_back(static_cast<std::uint32_t>(k));
      }
    }
    seen_.assign(boxes.size(), 0);
  }

  // The distance from p to the nearest point of the centre line.
  double Distance(Point p) {
    double nearest = HUGE_VAL;
    double x = (p.x - origin_.x) / cell_, y = (p.y - origin_.y) / cell_;
    if (cells_.empty() || !(x >= 0 && y >= 0 && x < across_ && y < down_)) {
      for (std::size_t k = 0; k < centre_.lines.size() + centre_.arcs.size(); ++k) nearest = Nearer(p, k, nearest);
      return nearest;
    }
    ++query_;
    int column = static_cast<int>(x), row = static_cast<int>(y);
    // How far p lies inside its own cell: ring r's cells are at least
    // (r - 1) cells and this much away.
    double inside = cell_ * std::min({x - column, column + 1 - x, y - row, row + 1 - y});
    for (int ring = 0;; ++ring) {
      if (ring > 0 && nearest <= (ring - 1) * cell_ + inside) break;
      if (column - ring < 0 && row - ring < 0 && column + ring >= across_ && row + ring >= down_) break;
      for (int cy = row - ring; cy <= row + ring; ++cy) {
        if (cy < 0 || cy >= down_) continue;
        bool edgeRow = cy == row - ring || cy == row + ring;
        for (int cx = column - ring; cx <= column + ring; cx += edgeRow ? 1 : 2 * ring) {
          if (cx >= 0 && cx < across_) {
            for (std::uint32_t k : cells_[Cell(cx, cy)]) {
              if (seen_[k] == query_) continue;
              seen_[k] = query_;
              nearest = Nearer(p, k, nearest);
            }
          }
          if (ring == 0) break;
        }
      }
    }
    return nearest;
  }

 private:
  struct Box {
    double x0, y0, x1, y1;
  };
  static constexpr int kMostCellsAcross = 64;
  static constexpr std::size_t kMostFiled = 1 << 18;

  int Column(double x) const { return Clamped((x - origin_.x) / cell_, across_); }
  int Row(double y) const { return Clamped((y - origin_.y) / cell_, down_); }
  // Cells counted from the grid's corner, kept to the grid; a box that is
  // not a number (a hostile font's) is filed in the first.
  static int Clamped(double cells, int count) {
    if (!(cells >= 0)) return 0;
    return cells >= count ? count - 1 : static_cast<int>(cells);
  }
  std::size_t Cell(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(across_) + static_cast<std::size_t>(x);
  }

  // The nearer of the nearest so far and piece k's distance; a distance
  // that is not a number is passed over.
  double Nearer(Point p, std::size_t k, double nearest) const {
    double d = k < centre_.lines.size()
                   ? std::sqrt(SquaredSegmentDistance(p, centre_.lines[k].from, centre_.lines[k].to))
                   : ArcDistance(p, centre_.arcs[k - centre_.lines.size()]);
    return d < nearest ? d : nearest;
  }

  const CentreLine& centre_;
  Point origin_{};
  double cell_ = 1;
  int across_ = 0, down_ = 0;
  std::vector<std::vector<std::uint32_t>> cells_;
  std::vector<std::uint32_t> seen_;
  std::uint32_t query_ = 0;
};

}  // namespace

double LargestDeviation(std::span<const TrueTypeContour> contours, const CentreLine& centre, double radius) {
  if (centre.Empty()) return 0;
  std::vector<Point> samples;
  for (const TrueTypeContour& contour : contours) SampleContour(contour, samples);
  long long pieces = static_cast<long long>(centre.lines.size() + centre.arcs.size());
  long long affordable = std::max<long long>(1, kDeviationWork / pieces);
  std::size_t stride = std::max<std::size_t>(1, samples.size() / static_cast<std::size_t>(affordable) + 1);
  if (static_cast<long long>(samples.size()) <= affordable) stride = 1;
  CentreGrid grid(centre, 2 * radius);
  double largest = 0;
  for (std::size_t k = 0; k < samples.size(); k += stride) {
    largest = std::max(largest, std::fabs(grid.Distance(samples[k]) - radius));
  }
  return largest;
}

}  // namespace morlune::convert
