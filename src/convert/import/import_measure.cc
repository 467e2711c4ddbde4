// The measure of a written font against its strokes, glyph by glyph,
// stopping at the first that strays past the tolerance asked for.
#include "convert/import/import_measure.h"

#include <algorithm>
#include <cmath>
#include <vector>
#include <variant>

#include "convert/arc_math.h"
#include "convert/import/stroke_distance.h"

namespace morlune::convert {
namespace {

// A non-exact model error (arcs given bulge steps, curve samples thinned,
// moves cut off their line) is the largest of parts whose sum bounds the
// true error, or a close sampling of it: twice it bounds what the drawing
// can show.
constexpr double kModelMargin = 2;

bool StraightOnly(const StrokeGlyph& glyph) {
  for (const Stroke& stroke : glyph.strokes) {
    for (std::size_t k = 1; k < stroke.vertices.size(); ++k) {
      if (stroke.vertices[k].bulge != 0 || stroke.vertices[k].sampled) return false;
    }
  }
  return true;
}

// Whether the glyph has a piece that bends: a sample of a curve, or a
// bulge on a chord (an arc on no chord is a point).
bool HasCurves(const StrokeGlyph& glyph) {
  for (const Stroke& stroke : glyph.strokes) {
    if (!stroke.curves.empty()) return true;
    for (std::size_t k = 1; k < stroke.vertices.size(); ++k) {
      const StrokeVertex& u = stroke.vertices[k - 1];
      const StrokeVertex& v = stroke.vertices[k];
      if (v.sampled || (v.bulge != 0 && (u.x != v.x || u.y != v.y))) return true;
    }
  }
  return false;
}

bool Same(Point a, Point b) { return a.x == b.x && a.y == b.y; }

// Pen runs as the drawing keeps them, points in one array (run k from
// starts[k] up to the next run's start), built point by point: repeated
// points dropped, a run that starts where the last ended joined to it,
// points that carry a piece straight on in its direction dropped, runs of
// one point left out. The arrays keep their room from glyph to glyph.
class PenRuns {
 public:
  void Clear() { points_.clear(), starts_.clear(); }

  void Begin(Point p) {
    if (starts_.empty() || !Same(points_.back(), p)) {
      starts_.push_back(points_.size());
      points_.push_back(p);
    }
  }

  void Add(Point p) {
    std::size_t size = points_.size();
    if (Same(points_[size - 1], p)) return;
    if (size - starts_.back() >= 2) {
      Point a = points_[size - 2], b = points_[size - 1];
      double cross = (b.x - a.x) * (p.y - b.y) - (b.y - a.y) * (p.x - b.x);
      double dot = (b.x - a.x) * (p.x - b.x) + (b.y - a.y) * (p.y - b.y);
      if (cross == 0 && dot > 0) {
        points_[size - 1] = p;
        return;
      }
    }
    points_.push_back(p);
  }

  // Once every run is in.
  void DropSinglePoints() {
    std::size_t kept = 0, keptRuns = 0;
    for (std::size_t k = 0; k < starts_.size(); ++k) {
      std::size_t from = starts_[k], to = k + 1 < starts_.size() ? starts_[k + 1] : points_.size();
      if (to - from < 2) continue;
      starts_[keptRuns++] = kept;
      for (std::size_t i = from; i < to; ++i) points_[kept++] = points_[i];
    }
    starts_.resize(keptRuns);
    points_.resize(kept);
  }

  bool operator==(const PenRuns& other) const {
    return starts_ == other.starts_ &&
           std::equal(points_.begin(), points_.end(), other.points_.begin(), other.points_.end(), Same);
  }

 private:
  std::vector<Point> points_;
  std::vector<std::size_t> starts_;
};

// Whether the drawing is exactly the read straight strokes with their
// vertices rounded: each piece then lies, point for point, within the
// farther of its ends' moves of the piece read.
class RoundingCheck {
 public:
  bool DrawsRoundedVertices(const StrokeGlyph& read, double scale, std::span<const Path> drawn) {
    drawn_.Clear();
    for (const Path& path : drawn) {
      drawn_.Begin(path.start);
      for (const Segment& segment : path.segments) {
        const auto* line = std::get_if<LineSegment>(&segment);
        if (line == nullptr) return false;
        drawn_.Add(line->to);
      }
    }
    // The read strokes' vertices on the grid, as the placing rounds them.
    rounded_.Clear();
    for (const Stroke& stroke : read.strokes) {
      if (stroke.vertices.size() < 2) continue;
      auto onGrid = [scale](const StrokeVertex& v) {
        return Point{NearestGridUnit(v.x * scale), NearestGridUnit(v.y * scale)};
      };
      Point first = onGrid(stroke.vertices[0]);
      // A stroke that the rounding shrinks to one point draws nothing: how
      // far its ink lies from what is drawn, no rounding tells.
      bool onePoint = true;
      rounded_.Begin(first);
      for (std::size_t k = 1; k < stroke.vertices.size(); ++k) {
        Point p = onGrid(stroke.vertices[k]);
        onePoint = onePoint && Same(p, first);
        rounded_.Add(p);
      }
      if (onePoint) return false;
    }
    drawn_.DropSinglePoints();
    rounded_.DropSinglePoints();
    return drawn_ == rounded_;
  }

 private:
  PenRuns drawn_, rounded_;
};

}  // namespace

double MeasuredError(const StrokeGlyph& read, double scale, std::span<const Path> drawn, double atLeast,
                     double enough) {
  constexpr double kFlatness = 1e-3;
  constexpr double kStep = 0.125;
  // Arcs and curves are followed by chords within the flatness: the true
  // curves lie that much farther at most, on each side that has them.
  bool readCurves = HasCurves(read);
  bool drawnArcs = std::any_of(drawn.begin(), drawn.end(), [](const Path& path) {
    return std::any_of(path.segments.begin(), path.segments.end(),
                       [](const Segment& segment) { return std::holds_alternative<ArcSegment>(segment); });
  });
  double flattened = kFlatness * ((readCurves ? 1 : 0) + (drawnArcs ? 1 : 0));
  std::vector<std::vector<Point>> a = StrokePolylines(read, scale, kFlatness);
  std::vector<std::vector<Point>> b = PathPolylines(drawn, kFlatness);
  double floor = std::max(0.0, atLeast - flattened);
  double distance = PolylineDistance(a, b, kStep, floor, enough);
  if (!std::isfinite(distance)) {
    // Ink on one side only: lost whole, or drawn from nothing. No point of
    // it lies near the other side, so no figure bounds how far it strays.
    return HUGE_VAL;
  }
  return std::max(atLeast, distance + flattened);
}

WrittenError LargestWrittenError(std::span<const WrittenGlyph> glyphs, double scale, WrittenDrawing& drawing,
                                 double enough) {
  WrittenError largest;
  auto raise = [&largest](double distance, const WrittenGlyph& glyph) {
    if (distance > largest.distance) largest = {distance, glyph.read};
  };
  RoundingCheck check;
  std::vector<const WrittenGlyph*> modelled;
  for (const WrittenGlyph& glyph : glyphs) {
    if (largest.distance > enough) return largest;
    if (!StraightOnly(*glyph.read) || glyph.placed->strayed) {
      modelled.push_back(&glyph);
      continue;
    }
    // Every vertex on the grid already and every move whole: the items
    // hold the strokes exactly (a JHF on its own grid), and no drawing can
    // raise the largest.
    if (glyph.placed->largestError == 0) continue;
    std::optional<std::span<const Path>> drawn = drawing.Draw(glyph.code);
    if (!drawn) continue;
    if (check.DrawsRoundedVertices(*glyph.read, scale, *drawn)) {
      raise(glyph.placed->largestError, glyph);
    } else {
      // Not what was placed: the drawing alone tells.
      raise(MeasuredError(*glyph.read, scale, *drawn, largest.distance, enough), glyph);
    }
  }
  // The rest by their model error, largest first: once twice it is no
  // more than the largest found, no glyph after can raise it.
  std::sort(modelled.begin(), modelled.end(), [](const WrittenGlyph* a, const WrittenGlyph* b) {
    return a->placed->largestError > b->placed->largestError;
  });
  for (const WrittenGlyph* glyph : modelled) {
    if (kModelMargin * glyph->placed->largestError <= largest.distance || largest.distance > enough) break;
    std::optional<std::span<const Path>> drawn = drawing.Draw(glyph->code);
    if (!drawn) continue;
    raise(MeasuredError(*glyph->read, scale, *drawn, largest.distance, enough), *glyph);
  }
  return largest;
}

}  // namespace morlune::convert
