#include "convert/stroke_distance.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "convert/arc_math.h"

namespace morlune::convert {
namespace {

struct Piece {
  Point a, b;
  double minX, minY, maxX, maxY;
};

std::vector<Piece> PiecesOf(const std::vector<std::vector<Point>>& lines) {
  std::vector<Piece> pieces;
  for (const auto& line : lines) {
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
      Point a = line[k], b = line[k + 1];
      pieces.push_back({a, b, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
    }
    if (line.size() == 1) pieces.push_back({line[0], line[0], line[0].x, line[0].y, line[0].x, line[0].y});
  }
  return pieces;
}

// The distance from p to the nearest piece. The piece nearest to the last
// point asked about starts the search: points come along a stroke, so it
// is near again, and every piece whose box lies farther is passed over.
double Nearest(Point p, const std::vector<Piece>& pieces, std::size_t& last) {
  double best = DistanceToSegment(p, pieces[last].a, pieces[last].b);
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const Piece& piece = pieces[k];
    if (piece.minX - p.x >= best || p.x - piece.maxX >= best || piece.minY - p.y >= best ||
        p.y - piece.maxY >= best) {
      continue;
    }
    double d = DistanceToSegment(p, piece.a, piece.b);
    if (d < best) {
      best = d;
      last = k;
    }
  }
  return best;
}

double OneWay(const std::vector<Piece>& from, const std::vector<Piece>& to, double step) {
  double farthest = 0;
  std::size_t last = 0;
  for (const Piece& piece : from) {
    double length = std::hypot(piece.b.x - piece.a.x, piece.b.y - piece.a.y);
    int samples = std::clamp(static_cast<int>(std::ceil(length / step)), 1, 1 << 16);
    for (int s = 0; s <= samples; ++s) {
      double t = static_cast<double>(s) / samples;
      Point p{piece.a.x + t * (piece.b.x - piece.a.x), piece.a.y + t * (piece.b.y - piece.a.y)};
      farthest = std::max(farthest, Nearest(p, to, last));
    }
  }
  return farthest;
}

}  // namespace

std::vector<std::vector<Point>> StrokePolylines(const StrokeGlyph& glyph, double scale, double flatness) {
  std::vector<std::vector<Point>> lines;
  for (const Stroke& stroke : glyph.strokes) {
    if (stroke.vertices.empty()) continue;
    std::vector<Point> line{{stroke.vertices[0].x * scale, stroke.vertices[0].y * scale}};
    for (std::size_t k = 1; k < stroke.vertices.size(); ++k) {
      Point to{stroke.vertices[k].x * scale, stroke.vertices[k].y * scale};
      if (stroke.vertices[k].bulge != 0) {
        std::vector<Point> arc = FlattenArc(ArcOfBulge(line.back(), to, stroke.vertices[k].bulge), flatness);
        line.insert(line.end(), arc.begin() + 1, arc.end());
      } else {
        line.push_back(to);
      }
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::vector<Point>> PathPolylines(const Glyph& glyph, double flatness) {
  std::vector<std::vector<Point>> lines;
  for (const Path& path : glyph.paths) {
    std::vector<Point> line{path.start};
    for (const Segment& segment : path.segments) {
      if (const auto* straight = std::get_if<LineSegment>(&segment)) {
        line.push_back(straight->to);
      } else {
        std::vector<Point> arc = FlattenArc(std::get<ArcSegment>(segment), flatness);
        line.insert(line.end(), arc.begin() + 1, arc.end());
      }
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

double PolylineDistance(const std::vector<std::vector<Point>>& a, const std::vector<std::vector<Point>>& b,
                        double step) {
  std::vector<Piece> piecesA = PiecesOf(a), piecesB = PiecesOf(b);
  if (piecesA.empty() || piecesB.empty()) {
    return piecesA.empty() && piecesB.empty() ? 0 : std::numeric_limits<double>::infinity();
  }
  return std::max(OneWay(piecesA, piecesB, step), OneWay(piecesB, piecesA, step));
}

}  // namespace morlune::convert
