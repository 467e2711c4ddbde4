// Distances between a glyph's strokes and its drawing, both taken as
// fine polylines and scanned against each other.
#include "convert/import/stroke_distance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "convert/arc_math.h"

namespace morlune::convert {
namespace {

struct Piece {
  Piece(Point from, Point to) : a(from), b(to), dx(to.x - from.x), dy(to.y - from.y) {
    minX = std::min(a.x, b.x), minY = std::min(a.y, b.y), maxX = std::max(a.x, b.x), maxY = std::max(a.y, b.y);
    double length2 = dx * dx + dy * dy;
    inverseLength2 = length2 > 0 ? 1 / length2 : 0;
  }
  Point a, b;
  double dx, dy;
  double inverseLength2;  // 0 for a piece of no length
  double minX, minY, maxX, maxY;
};

// The square of a point's distance to a piece: the search compares these,
// and takes one root for the nearest.
double SquaredDistance(Point p, const Piece& piece) {
  double t = ((p.x - piece.a.x) * piece.dx + (p.y - piece.a.y) * piece.dy) * piece.inverseLength2;
  t = std::clamp(t, 0.0, 1.0);
  double ex = p.x - (piece.a.x + t * piece.dx), ey = p.y - (piece.a.y + t * piece.dy);
  return ex * ex + ey * ey;
}

std::vector<Piece> PiecesOf(const std::vector<std::vector<Point>>& lines) {
  std::vector<Piece> pieces;
  for (const auto& line : lines) {
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
      pieces.emplace_back(line[k], line[k + 1]);
    }
    if (line.size() == 1) pieces.emplace_back(line[0], line[0]);
  }
  return pieces;
}

// The pieces by the cells of a square grid over their box that they pass
// through (found by points along each piece, half a cell apart), so that
// the nearest piece to a point is looked for ring by ring around the
// point's cell and the search ends once no farther ring can hold a nearer
// one: near-linear where every piece against every point would be
// quadratic.
class PieceIndex {
 public:
  explicit PieceIndex(const std::vector<Piece>& pieces) : pieces_(pieces), seen_(pieces.size(), 0) {
    minX_ = minY_ = HUGE_VAL;
    double maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    for (const Piece& piece : pieces) {
      minX_ = std::min(minX_, piece.minX), minY_ = std::min(minY_, piece.minY);
      maxX = std::max(maxX, piece.maxX), maxY = std::max(maxY, piece.maxY);
    }
    // Pieces lie along strokes, not over the whole box: cells of twice as
    // many a side keep the few that a search visits short.
    side_ = std::clamp(static_cast<int>(2 * std::sqrt(static_cast<double>(pieces.size()))), 1, kMostSide);
    cell_ = std::max({maxX - minX_, maxY - minY_, 1e-9}) / side_;
    std::size_t cells = static_cast<std::size_t>(side_) * static_cast<std::size_t>(side_);
    // Each cell's pieces in one array, in the order of the pieces: the
    // (cell, piece) pairs counted per cell, then put in place.
    std::vector<std::pair<std::size_t, std::size_t>> passes;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
      const Piece& piece = pieces[k];
      double length = std::hypot(piece.b.x - piece.a.x, piece.b.y - piece.a.y);
      int steps = static_cast<int>(std::min(std::ceil(2 * length / cell_), 4.0 * side_)) + 1;
      std::size_t lastCell = cells;
      for (int s = 0; s <= steps; ++s) {
        double t = static_cast<double>(s) / steps;
        std::size_t cell = CellOf({piece.a.x + t * (piece.b.x - piece.a.x), piece.a.y + t * (piece.b.y - piece.a.y)});
        if (cell != lastCell) passes.push_back({cell, k});
        lastCell = cell;
      }
    }
    starts_.assign(cells + 1, 0);
    for (const auto& pass : passes) ++starts_[pass.first + 1];
    for (std::size_t c = 0; c < cells; ++c) starts_[c + 1] += starts_[c];
    members_.resize(passes.size());
    std::vector<std::size_t> filled(starts_.begin(), starts_.end() - 1);
    for (const auto& pass : passes) members_[filled[pass.first]++] = pass.second;
  }

  // The distance to the nearest piece, and that piece in `nearest`.
  double Nearest(Point p, std::size_t& nearest) {
    ++stamp_;
    int cx = Column(p.x - minX_), cy = Column(p.y - minY_);
    double best = HUGE_VAL;
    for (int ring = 0; ring <= side_; ++ring) {
      for (int y = cy - ring; y <= cy + ring; ++y) {
        if (y < 0 || y >= side_) continue;
        bool edgeRow = y == cy - ring || y == cy + ring;
        for (int x = cx - ring; x <= cx + ring; x += edgeRow ? 1 : 2 * ring) {
          if (x >= 0 && x < side_) Visit(static_cast<std::size_t>(y) * side_ + x, p, best, nearest);
          if (ring == 0) break;
        }
      }
      // Every piece not yet seen has all its points farther than this.
      double beyond = ring * cell_ - cell_ / 4;
      if (beyond > 0 && best <= beyond * beyond) break;
    }
    return std::sqrt(best);
  }

 private:
  static constexpr int kMostSide = 256;

  // Clamped before it becomes an int: a point far outside the pieces' box
  // lies billions of cells away.
  int Column(double offset) const {
    return static_cast<int>(std::clamp(std::floor(offset / cell_), 0.0, static_cast<double>(side_ - 1)));
  }
  std::size_t CellOf(Point p) const {
    return static_cast<std::size_t>(Column(p.y - minY_)) * side_ + Column(p.x - minX_);
  }

  void Visit(std::size_t cell, Point p, double& best, std::size_t& nearest) {
    for (std::size_t m = starts_[cell]; m < starts_[cell + 1]; ++m) {
      std::size_t k = members_[m];
      if (seen_[k] == stamp_) continue;
      seen_[k] = stamp_;
      double distance = SquaredDistance(p, pieces_[k]);
      if (distance < best) best = distance, nearest = k;
    }
  }

  const std::vector<Piece>& pieces_;
  std::vector<std::size_t> starts_;   // cell c's pieces: members_[starts_[c]] up to members_[starts_[c + 1]]
  std::vector<std::size_t> members_;
  std::vector<unsigned> seen_;
  unsigned stamp_ = 0;
  double minX_, minY_, cell_;
  int side_;
};

constexpr int kScansBeforeIndex = 8;

// The distance to the nearest of the pieces, every one looked at, and that
// piece in `nearest`: the index's answer, without the index.
double Scan(Point p, const std::vector<Piece>& pieces, std::size_t& nearest) {
  double best = HUGE_VAL;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    double distance = SquaredDistance(p, pieces[k]);
    if (distance < best) best = distance, nearest = k;
  }
  return std::sqrt(best);
}

// The search comes this close (in the polylines' units) to the largest
// distance between samples, and answers a bound on it: what a point
// between two samples can reach is never left to the sampling.
constexpr double kBoundSlack = 1e-4;
// Refining between samples halves an interval each time; a hostile stroke
// could ask for many: past this many points a call takes the coarser bound
// as it is (still a bound).
constexpr int kMostRefinements = 1 << 16;

// Points at most step apart along every piece; a long piece takes at most
// 4096, so that a hostile stroke cannot make the measure endless. Between
// two points the distance is bounded, not guessed: the distance to one
// fixed piece is convex along a straight piece, so it is at most its
// larger end value, and no distance grows faster than the way gone; where
// those bounds pass the farthest found, the interval is halved.
double OneWay(const std::vector<Piece>& from, const std::vector<Piece>& to, double step, double farthest,
              double enough) {
  // Built once a few points have needed a search, each of those a scan of
  // every piece: often none does, and the index costs some ten scans.
  std::optional<PieceIndex> index;
  int scansLeft = kScansBeforeIndex;
  int refinementsLeft = kMostRefinements;
  // The piece found nearest to the last point searched: the next points
  // mostly lie near it too, and their distance to it bounds their nearest.
  std::size_t last = 0;
  auto distanceTo = [&](Point p, std::size_t piece) { return std::sqrt(SquaredDistance(p, to[piece])); };
  auto search = [&](Point p) {
    if (!index && scansLeft > 0) {
      --scansLeft;
      return Scan(p, to, last);
    }
    if (!index) index.emplace(to);
    return index->Nearest(p, last);
  };
  // A point with a bound on its distance and the piece that gives it.
  struct Known {
    Point p;
    double distance;
    std::size_t piece;
  };
  auto bound = [&](const Known& a, const Known& b) {
    double viaA = std::max(a.distance, distanceTo(b.p, a.piece));
    double viaB = std::max(b.distance, distanceTo(a.p, b.piece));
    double slope = (a.distance + b.distance + std::hypot(b.p.x - a.p.x, b.p.y - a.p.y)) / 2;
    return std::min({viaA, viaB, slope});
  };
  std::vector<std::pair<Known, Known>> intervals;
  // The interval between two points known, halved until its bound comes
  // within the slack of the farthest found.
  auto refine = [&](const Known& a, const Known& b) {
    intervals.assign(1, {a, b});
    while (!intervals.empty() && farthest <= enough) {
      auto [left, right] = intervals.back();
      intervals.pop_back();
      double most = bound(left, right);
      if (most <= farthest + kBoundSlack) continue;
      double length = std::hypot(right.p.x - left.p.x, right.p.y - left.p.y);
      if (length <= kBoundSlack || refinementsLeft <= 0) {
        farthest = std::max(farthest, most);
        continue;
      }
      --refinementsLeft;
      Point middle{(left.p.x + right.p.x) / 2, (left.p.y + right.p.y) / 2};
      double nearest = search(middle);
      Known m{middle, nearest, last};
      farthest = std::max(farthest, nearest);
      intervals.push_back({left, m});
      intervals.push_back({m, right});
    }
  };
  // The distance to a piece is convex along a straight piece: where both
  // ends lie within the farthest of one piece, every point between does,
  // and none of them can raise it.
  auto within = [&](Point p) {
    if (distanceTo(p, last) <= farthest) return true;
    for (std::size_t next : {last + 1, last - 1}) {
      if (next < to.size() && distanceTo(p, next) <= farthest) {
        last = next;
        return true;
      }
    }
    return false;
  };
  for (const Piece& piece : from) {
    if (within(piece.a) && within(piece.b) && distanceTo(piece.a, last) <= farthest) continue;
    double length = std::hypot(piece.b.x - piece.a.x, piece.b.y - piece.a.y);
    int samples = std::clamp(static_cast<int>(std::ceil(length / step)), 1, 1 << 12);
    double spacing = length / samples;
    std::optional<Known> before;
    for (int s = 0; s <= samples;) {
      double t = static_cast<double>(s) / samples;
      Point p{piece.a.x + t * (piece.b.x - piece.a.x), piece.a.y + t * (piece.b.y - piece.a.y)};
      // A point within the farthest of the last nearest piece cannot pass
      // it, whatever piece is nearer: no search.
      double nearest = distanceTo(p, last);
      // The pieces beside the last nearest come next along the stroke.
      for (std::size_t next : {last + 1, last - 1}) {
        if (nearest <= farthest || next >= to.size()) continue;
        double beside = distanceTo(p, next);
        if (beside < nearest) nearest = beside, last = next;
      }
      if (nearest > farthest) {
        nearest = search(p);
        farthest = std::max(farthest, nearest);
        if (farthest > enough) return farthest;
      }
      Known here{p, nearest, last};
      if (before) refine(*before, here);
      if (farthest > enough) return farthest;
      before = here;
      // Along the piece the distance grows no faster than the way gone:
      // the samples before it could pass the farthest are passed over
      // (the interval to the next one taken is bounded all the same).
      double safe = spacing > 0 ? (farthest - nearest) / spacing : 0;
      s += 1 + static_cast<int>(std::min(safe, static_cast<double>(samples)));
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
    std::size_t curve = 0;
    for (std::size_t k = 1; k < stroke.vertices.size(); ++k) {
      // A curve's samples were taken for reading, coarser than this
      // measure: the curve itself is followed within the flatness.
      while (curve < stroke.curves.size() && stroke.curves[curve].first < k - 1) ++curve;
      if (curve < stroke.curves.size() && stroke.curves[curve].first == k - 1 &&
          stroke.curves[curve].last < stroke.vertices.size() && stroke.curves[curve].last >= k) {
        const CurveSpan& span = stroke.curves[curve];
        if (span.curve.Finite()) {
          SmoothCurve scaled = span.curve.Scaled(scale);
          double pieces = std::ceil(std::sqrt(scaled.Bend() / (8 * flatness)));
          int n = std::isfinite(pieces) ? static_cast<int>(std::clamp(pieces, 1.0, 4096.0)) : 1;
          for (int j = 1; j < n; ++j) line.push_back(scaled.At(static_cast<double>(j) / n));
          line.push_back({stroke.vertices[span.last].x * scale, stroke.vertices[span.last].y * scale});
          k = span.last;
          ++curve;
          continue;
        }
      }
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

std::vector<std::vector<Point>> PathPolylines(std::span<const Path> paths, double flatness) {
  std::vector<std::vector<Point>> lines;
  for (const Path& path : paths) {
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
                        double step, double atLeast, double enough) {
  std::vector<Piece> piecesA = PiecesOf(a), piecesB = PiecesOf(b);
  if (piecesA.empty() || piecesB.empty()) {
    return piecesA.empty() && piecesB.empty() ? atLeast : std::numeric_limits<double>::infinity();
  }
  double farthest = OneWay(piecesA, piecesB, step, atLeast, enough);
  return farthest > enough ? farthest : OneWay(piecesB, piecesA, step, farthest, enough);
}

}  // namespace morlune::convert
