#include "convert/import_measure.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "convert/arc_math.h"
#include "convert/stroke_distance.h"

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

using Run = std::vector<Point>;

bool Same(Point a, Point b) { return a.x == b.x && a.y == b.y; }

// Pen runs as the drawing keeps them: repeated points dropped, a run that
// starts where the last ended joined to it, points that carry a piece
// straight on in its direction dropped, runs of one point left out.
std::vector<Run> Normalized(const std::vector<Run>& runs) {
  std::vector<Run> out;
  for (const Run& run : runs) {
    if (run.empty()) continue;
    if (out.empty() || !Same(out.back().back(), run.front())) out.push_back({run.front()});
    Run& into = out.back();
    for (const Point& p : run) {
      if (Same(into.back(), p)) continue;
      if (into.size() >= 2) {
        Point a = into[into.size() - 2], b = into.back();
        double cross = (b.x - a.x) * (p.y - b.y) - (b.y - a.y) * (p.x - b.x);
        double dot = (b.x - a.x) * (p.x - b.x) + (b.y - a.y) * (p.y - b.y);
        if (cross == 0 && dot > 0) {
          into.back() = p;
          continue;
        }
      }
      into.push_back(p);
    }
  }
  std::erase_if(out, [](const Run& run) { return run.size() < 2; });
  return out;
}

// The read strokes' vertices on the grid, as the placing rounds them.
std::vector<Run> RoundedRuns(const StrokeGlyph& glyph, double scale) {
  std::vector<Run> runs;
  for (const Stroke& stroke : glyph.strokes) {
    if (stroke.vertices.size() < 2) continue;
    Run& run = runs.emplace_back();
    for (const StrokeVertex& v : stroke.vertices) {
      run.push_back({NearestGridUnit(v.x * scale), NearestGridUnit(v.y * scale)});
    }
  }
  return runs;
}

// The drawing's paths as runs of points; false where it holds an arc.
bool DrawnRuns(const Glyph& glyph, std::vector<Run>& runs) {
  for (const Path& path : glyph.paths) {
    Run& run = runs.emplace_back(Run{path.start});
    for (const Segment& segment : path.segments) {
      const auto* line = std::get_if<LineSegment>(&segment);
      if (line == nullptr) return false;
      run.push_back(line->to);
    }
  }
  return true;
}

bool SameRuns(const std::vector<Run>& a, const std::vector<Run>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k].size() != b[k].size() || !std::equal(a[k].begin(), a[k].end(), b[k].begin(), Same)) return false;
  }
  return true;
}

// Whether the drawing is exactly the read straight strokes with their
// vertices rounded: each piece then lies, point for point, within the
// farther of its ends' moves of the piece read.
bool DrawsRoundedVertices(const WrittenGlyph& glyph, double scale) {
  std::vector<Run> drawn;
  if (!DrawnRuns(*glyph.drawn, drawn)) return false;
  std::vector<Run> rounded = RoundedRuns(*glyph.read, scale);
  // A stroke that the rounding shrinks to one point draws nothing: how far
  // its ink lies from what is drawn, no rounding tells.
  for (const Run& run : rounded) {
    if (std::all_of(run.begin(), run.end(), [&](Point p) { return Same(p, run.front()); })) return false;
  }
  return SameRuns(Normalized(drawn), Normalized(rounded));
}

}  // namespace

double MeasuredError(const StrokeGlyph& read, double scale, const Glyph& drawn, double atLeast, double enough) {
  constexpr double kFlatness = 1e-3;
  constexpr double kStep = 0.125;
  std::vector<std::vector<Point>> a = StrokePolylines(read, scale, kFlatness);
  std::vector<std::vector<Point>> b = PathPolylines(drawn, kFlatness);
  double distance = PolylineDistance(a, b, kStep, atLeast, enough);
  if (std::isfinite(distance)) return distance;
  // Strokes that the grid shrinks to nothing: they stray by their size.
  double size = atLeast;
  for (const auto& line : a.empty() ? b : a) {
    for (const Point& p : line) size = std::max(size, std::hypot(p.x - line[0].x, p.y - line[0].y));
  }
  return size;
}

WrittenError LargestWrittenError(std::span<const WrittenGlyph> glyphs, double scale, double enough) {
  WrittenError largest;
  auto raise = [&largest](double distance, const WrittenGlyph& glyph) {
    if (distance > largest.distance) largest = {distance, glyph.read};
  };
  std::vector<const WrittenGlyph*> modelled;
  for (const WrittenGlyph& glyph : glyphs) {
    if (largest.distance > enough) return largest;
    if (glyph.drawn == nullptr) continue;
    if (!StraightOnly(*glyph.read) || glyph.placed->strayed) {
      modelled.push_back(&glyph);
    } else if (DrawsRoundedVertices(glyph, scale)) {
      raise(glyph.placed->largestError, glyph);
    } else {
      // Not what was placed: the drawing alone tells.
      raise(MeasuredError(*glyph.read, scale, *glyph.drawn, largest.distance, enough), glyph);
    }
  }
  // The rest by their model error, largest first: once twice it is no
  // more than the largest found, no glyph after can raise it.
  std::sort(modelled.begin(), modelled.end(), [](const WrittenGlyph* a, const WrittenGlyph* b) {
    return a->placed->largestError > b->placed->largestError;
  });
  for (const WrittenGlyph* glyph : modelled) {
    if (kModelMargin * glyph->placed->largestError <= largest.distance || largest.distance > enough) break;
    raise(MeasuredError(*glyph->read, scale, *glyph->drawn, largest.distance, enough), *glyph);
  }
  return largest;
}

}  // namespace morlune::convert
