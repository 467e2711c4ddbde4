// Hershey glyph lines written from glyphs: every stroke rounded to the
// format's grid, arcs flattened and advances moved told as losses.
#include "convert/jhf/jhf_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "convert/arc_math.h"
#include "convert/jhf/jhf_grid.h"

namespace morlune::convert {
namespace {

struct GridPoint {
  int x = 0;
  int y = 0;
  bool operator==(const GridPoint&) const = default;
};

// Arcs are cut into pieces that stray at most a quarter of a grid unit
// before the points are rounded.
constexpr double kFlatteningInGridUnits = 0.25;

class JhfGlyph {
 public:
  JhfGlyph(double scale, FlatteningBudget& budget, LossReport& losses)
      : scale_(scale), budget_(budget), losses_(losses) {
    budget_.StartGlyph();
  }

  void AddPath(const Path& path) {
    if (Full()) return;
    strokes_.emplace_back();
    Add(path.start);
    for (const Segment& segment : path.segments) {
      if (Full()) return;
      if (const auto* line = std::get_if<LineSegment>(&segment)) {
        Add(line->to);
        continue;
      }
      const auto& arc = std::get<ArcSegment>(segment);
      if (!budget_.Take(FlatPieces(arc, kFlatteningInGridUnits / scale_))) {
        full_ = true;
        return;
      }
      std::vector<Point> points = FlattenArc(arc, kFlatteningInGridUnits / scale_);
      std::vector<Point> rounded;
      for (std::size_t k = 1; k < points.size(); ++k) Add(points[k]);
      for (const Point& p : points) rounded.push_back(Grid(p));
      losses_.Add(LossKind::kArcsFlattened, ArcDistanceToPolyline(arc, rounded));
    }
  }

  // The line's text after the glyph number and the pair count's columns.
  std::string Text(double advance, int& pairs) {
    int width = static_cast<int>(std::lround(advance * scale_));
    bool inked = std::any_of(strokes_.begin(), strokes_.end(), [](const auto& s) { return !s.empty(); });
    int kept = std::clamp(width, 0, kJhfMost - kJhfLeast);
    if (std::fabs(kept / scale_ - advance) > 1e-9) losses_.Add(LossKind::kAdvancesMoved, kept / scale_ - advance);
    // A glyph as wide as nothing is skipped whole by the reader, strokes and
    // all, as in the original Hershey sets; it is written as it is.
    if (kept == 0 && inked) losses_.Add(LossKind::kInkedNoWidth);
    // The left margin centres the ink between the ends of the range.
    int low = 0, high = 0;
    bool any = false;
    for (const auto& stroke : strokes_) {
      for (const GridPoint& p : stroke) {
        low = any ? std::min(low, p.x) : p.x;
        high = any ? std::max(high, p.x) : p.x;
        any = true;
      }
    }
    int left = any ? -(low + high) / 2 : -kept / 2;
    left = std::clamp(left, kJhfLeast, kJhfMost - kept);
    std::string text;
    text += static_cast<char>(kJhfZero + left);
    text += static_cast<char>(kJhfZero + left + kept);
    pairs = 1;
    bool first = true;
    bool cut = false;
    for (const auto& stroke : strokes_) {
      if (stroke.empty()) continue;
      int needed = static_cast<int>(stroke.size()) + (first ? 0 : 1);
      if (pairs + needed > kJhfMostPairs) {
        cut = true;
        break;
      }
      if (!first) text += " R";
      first = false;
      for (const GridPoint& p : stroke) text += Pair(p.x + left, kJhfBaseline - p.y);
      pairs += needed;
    }
    if (cut || full_) losses_.Add(LossKind::kStrokesCut);
    return text;
  }

 private:
  // True once the points held pass what a line holds, or the glyph's arcs
  // passed the flattening budget: nothing more of the glyph can be written,
  // so nothing more is drawn into it.
  bool Full() {
    full_ = full_ || held_ > kJhfMostPairs;
    return full_;
  }

  Point Grid(Point p) const {
    return {std::round(p.x * scale_) / scale_, std::round(p.y * scale_) / scale_};
  }

  void Add(Point p) {
    GridPoint g{static_cast<int>(std::clamp(std::round(p.x * scale_), -1e6, 1e6)),
                static_cast<int>(std::clamp(std::round(p.y * scale_), -1e6, 1e6))};
    double moved = std::hypot(g.x / scale_ - p.x, g.y / scale_ - p.y);
    if (moved > 1e-9) losses_.Add(LossKind::kPointsMoved, moved);
    auto& stroke = strokes_.back();
    // A point the grid merges with the one before it adds nothing, but a
    // stroke keeps at least two points so that a dot stays a dot.
    if (stroke.size() >= 2 && stroke.back() == g) return;
    if (stroke.size() == 1 && stroke.back() == g) {
      stroke.push_back(g);
      ++held_;
      return;
    }
    if (stroke.size() == 2 && stroke[0] == stroke[1]) {
      stroke.pop_back();
      --held_;
    }
    // A point that carries the last piece straight on in its direction
    // lengthens it: the drawing splits long moves that the format holds
    // whole.
    if (stroke.size() >= 2) {
      const GridPoint& a = stroke[stroke.size() - 2];
      const GridPoint& b = stroke.back();
      long long cross = static_cast<long long>(b.x - a.x) * (g.y - b.y) - static_cast<long long>(b.y - a.y) * (g.x - b.x);
      long long dot = static_cast<long long>(b.x - a.x) * (g.x - b.x) + static_cast<long long>(b.y - a.y) * (g.y - b.y);
      if (cross == 0 && dot > 0) {
        stroke.back() = g;
        return;
      }
    }
    stroke.push_back(g);
    ++held_;
  }

  // A point's two columns. One pulled in on both axes moves along the
  // diagonal: its loss is that whole move, not either axis's share.
  std::string Pair(int x, int y) {
    int keptX = std::clamp(x, kJhfLeast, kJhfMost), keptY = std::clamp(y, kJhfLeast, kJhfMost);
    if (keptX != x || keptY != y) {
      losses_.Add(LossKind::kPointsClamped, std::hypot(keptX - x, keptY - y) / scale_);
    }
    return {static_cast<char>(kJhfZero + keptX), static_cast<char>(kJhfZero + keptY)};
  }

  double scale_;
  FlatteningBudget& budget_;
  LossReport& losses_;
  std::vector<std::vector<GridPoint>> strokes_;
  long long held_ = 0;  // the points of every stroke
  bool full_ = false;
};

std::string Header(int number, int pairs) {
  // Room for any int, so that no compiler need prove the count's range.
  char text[32];
  std::snprintf(text, sizeof text, "%5d%3d", number % 100000, pairs);
  return text;
}

}  // namespace

void WriteJhf(GlyphSource& font, LossReport& losses, TextOutput& out) {
  double scale = kJhfCapitalHeight / font.capHeight;
  // Whole units: moving a point to them is the loss the format makes, and
  // told as such; only the arithmetic's own noise, far below a unit, is none.
  losses.SetNoiseFloor(kJhfNoise / scale);
  std::map<int, std::size_t> lines;
  for (std::size_t k = 0; k < font.Count(); ++k) {
    std::uint32_t code = font.CodeAt(k).code;
    if (code < kJhfFirstCode || code >= kJhfFirstCode + kJhfMostLines) {
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    lines.emplace(static_cast<int>(code), k);
  }
  if (lines.empty()) return;
  int last = lines.rbegin()->first;
  FlatteningBudget budget;
  for (int code = kJhfFirstCode; code <= last; ++code) {
    auto found = lines.find(code);
    if (found == lines.end()) {
      out.Write(Header(code, 1) + "RR\n");
      continue;
    }
    GlyphView glyph = font.Draw(found->second, losses);
    JhfGlyph jhf(scale, budget, losses);
    for (const Path& path : glyph.paths) jhf.AddPath(path);
    if (glyph.advance.y != 0) losses.Add(LossKind::kAdvancesMoved, glyph.advance.y);
    int pairs = 0;
    std::string body = jhf.Text(glyph.advance.x, pairs);
    out.Write(Header(code, pairs) + body + "\n");
  }
}

}  // namespace morlune::convert
