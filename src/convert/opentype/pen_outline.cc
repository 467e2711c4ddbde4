// A glyph's pen-down pieces swept by a round pen and united, with Clipper's
// round offset on an integer grid.
#include "convert/opentype/pen_outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "convert/opentype/sheared_arc.h"

namespace morlune::convert {
namespace {

using ClipperLib::IntPoint;

// A round cap is cut into at most this many straight pieces per half turn,
// however fine the tolerance: bounds the union's work for a wide pen.
constexpr double kMostStepsPerHalfTurn = 128;
// The straight pieces kept for measuring one glyph's elliptic arcs against.
constexpr long long kFinePiecesPerGlyph = 1 << 18;

// The tolerance's shares: the arcs' straight pieces and the caps' each
// take an eighth (the quadratic fit a quarter, the whole-unit grid up to
// 0.71 units).
constexpr double kFlatteningShare = 1.0 / 8;
constexpr double kCapShare = 1.0 / 8;
// Elliptic arcs are measured against pieces this much finer.
constexpr double kFineShare = 1.0 / 64;

}  // namespace

PenOutline::PenOutline(const PenSettings& settings) : settings_(settings) {
  // The sweep reaches a radius past the centre line, and the outline's
  // points are rounded to whole units after that.
  reach_ = kFarthestCoordinate - std::ceil(settings_.radius) - 2;
  double capTolerance = std::max(settings_.tolerance * kCapShare,
                                 settings_.radius * (1 - std::cos(std::numbers::pi / kMostStepsPerHalfTurn)));
  arcTolerance_ = capTolerance * kGridStepsPerUnit;
}

void PenOutline::StartGlyph() {
  strokes_.clear();
  centre_ = {};
  glyphPieces_ = 0;
  fineLeft_ = kFinePiecesPerGlyph;
  cut_ = false;
  clamped_ = 0;
  farthestClamp_ = 0;
}

Point PenOutline::Kept(Point p) {
  Point out{p.x * settings_.scale, p.y * settings_.scale};
  Point kept = out;
  bool moved = false;
  for (double* v : {&kept.x, &kept.y}) {
    if (std::isnan(*v)) {
      *v = 0;
      moved = true;
    } else if (std::fabs(*v) > reach_) {
      *v = std::copysign(reach_, *v);
      moved = true;
    }
  }
  if (moved) {
    ++clamped_;
    double distance = std::hypot(kept.x - out.x, kept.y - out.y);
    if (std::isfinite(distance)) farthestClamp_ = std::max(farthestClamp_, distance);
  }
  return kept;
}

IntPoint PenOutline::Grid(Point p) const {
  return IntPoint(std::llround(p.x * kGridStepsPerUnit), std::llround(p.y * kGridStepsPerUnit));
}

bool PenOutline::TakePieces(long long pieces) {
  if (cut_ || glyphPieces_ + pieces > kGlyphPieces || fontPieces_ + pieces > kFontPieces) {
    cut_ = true;
    return false;
  }
  glyphPieces_ += pieces;
  fontPieces_ += pieces;
  return true;
}

void PenOutline::Stroke(const std::vector<Point>& points) {
  IntPoint first = Grid(points.front());
  if (strokes_.empty() || strokes_.back().back() != first) strokes_.push_back({first});
  ClipperLib::Path& path = strokes_.back();
  for (std::size_t k = 1; k < points.size(); ++k) {
    IntPoint next = Grid(points[k]);
    if (next != path.back()) path.push_back(next);
  }
  // A dot: Clipper closes the circle it draws for a lone point with a
  // chord up to twice its others, which strays past the tolerance; a stroke
  // one grid step long gets two round caps cut evenly instead.
  if (path.size() == 1) path.push_back(IntPoint(path.front().X + 1, path.front().Y));
}

void PenOutline::Line(Point from, Point to) {
  if (!TakePieces(1)) return;
  Point a = Kept(from), b = Kept(to);
  centre_.lines.push_back({a, b});
  Stroke({a, b});
}

void PenOutline::Arc(const ArcSegment& arc) {
  if (cut_) return;
  ShearedArc along(arc);
  double scale = settings_.scale;
  // Tolerances in the arc's own units.
  double flatness = settings_.tolerance * kFlatteningShare / scale;
  int pieces = along.PiecesWithin(flatness, kMostArcPieces);
  if (!TakePieces(pieces)) return;
  std::vector<Point> points;
  points.reserve(static_cast<std::size_t>(pieces) + 1);
  long long clampedBefore = clamped_;
  for (int k = 0; k <= pieces; ++k) points.push_back(Kept(along.At(static_cast<double>(k) / pieces)));
  Stroke(points);

  // What the outline is measured against: the arc itself where it is kept
  // whole, else the pieces the pen was given.
  bool whole = clamped_ == clampedBefore && pieces < kMostArcPieces;
  if (whole && along.Circular()) {
    CircleArc circle;
    circle.centre = {arc.centre.x * scale, arc.centre.y * scale};
    circle.radius = std::fabs(arc.axisX) * scale;
    circle.from = points.front();
    circle.to = points.back();
    circle.start = std::atan2(circle.from.y - circle.centre.y, circle.from.x - circle.centre.x);
    // A frame mirroring one axis turns the arc the other way.
    bool mirrored = (arc.axisX < 0) != (arc.axisY < 0);
    circle.sweep = mirrored ? -along.SweepRadians() : along.SweepRadians();
    if (std::isfinite(circle.radius) && std::isfinite(circle.start)) {
      centre_.arcs.push_back(circle);
      return;
    }
  }
  if (whole) {
    int fine = along.PiecesWithin(settings_.tolerance * kFineShare / scale, kMostArcPieces);
    if (fine <= fineLeft_) {
      fineLeft_ -= fine;
      Point last = points.front();
      for (int k = 1; k <= fine; ++k) {
        Point next = along.At(static_cast<double>(k) / fine);
        next = {next.x * scale, next.y * scale};
        centre_.lines.push_back({last, next});
        last = next;
      }
      return;
    }
  }
  for (std::size_t k = 1; k < points.size(); ++k) centre_.lines.push_back({points[k - 1], points[k]});
}

namespace {

std::vector<Point> OutputPoints(const ClipperLib::Path& path) {
  // Clipper's outer contours turn counterclockwise with y up; TrueType's
  // turn clockwise, so every contour is reversed.
  std::vector<Point> points;
  points.reserve(path.size());
  for (auto at = path.rbegin(); at != path.rend(); ++at) {
    points.push_back({static_cast<double>(at->X) / kGridStepsPerUnit, static_cast<double>(at->Y) / kGridStepsPerUnit});
  }
  return points;
}

// Each outer contour with its holes after it; the islands within those
// holes as groups of their own, later. Islands nest as deep as the glyph
// has rings, so they wait on a list rather than on the call stack.
void TakeOuters(const ClipperLib::PolyNode& root, std::vector<PenContour>& contours) {
  std::vector<const ClipperLib::PolyNode*> outers(root.Childs.rbegin(), root.Childs.rend());
  std::size_t group = 0;
  while (!outers.empty()) {
    const ClipperLib::PolyNode* outer = outers.back();
    outers.pop_back();
    contours.push_back({OutputPoints(outer->Contour), false, group});
    for (const ClipperLib::PolyNode* hole : outer->Childs) {
      contours.push_back({OutputPoints(hole->Contour), true, group});
      outers.insert(outers.end(), hole->Childs.rbegin(), hole->Childs.rend());
    }
    ++group;
  }
}

}  // namespace

std::vector<PenContour> PenOutline::Finish(LossReport& losses) {
  std::vector<PenContour> contours;
  ClipperLib::PolyTree tree;
  try {
    ClipperLib::Paths ink = SweptUnion();
    if (!ink.empty()) {
      // Once more through the union, for the holes' nesting.
      ClipperLib::Clipper clipper;
      clipper.AddPaths(ink, ClipperLib::ptSubject, true);
      clipper.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    }
  } catch (const ClipperLib::clipperException&) {
    // Coordinates are kept within Clipper's range, so this is not met; a
    // glyph it met would be left without ink rather than wrong.
    cut_ = true;
    tree.Clear();
  }
  if (clamped_ > 0) losses.Add(LossKind::kPointsClamped, farthestClamp_ / settings_.scale, clamped_);
  if (cut_) losses.Add(LossKind::kStrokesCut);
  TakeOuters(tree, contours);
  return contours;
}

ClipperLib::Paths PenOutline::SweptUnion() {
  // Strokes cut into short runs, the runs into batches, each batch swept
  // and united by Clipper; the batches' unions then united pairwise in
  // the order drawn, as a binary counter carries. Strokes crossing one
  // another cost the union far more than their count: cut small, each
  // union stays small where they pile up, and stays near linear where
  // they lie apart.
  std::vector<ClipperLib::Paths> batches;
  ClipperLib::Paths batch;
  std::size_t batchPieces = 0;
  for (const ClipperLib::Path& stroke : strokes_) {
    for (std::size_t first = 0; first == 0 || first + 1 < stroke.size(); first += kRunPieces) {
      std::size_t last = std::min(stroke.size() - 1, first + kRunPieces);
      batch.emplace_back(stroke.begin() + static_cast<std::ptrdiff_t>(first),
                         stroke.begin() + static_cast<std::ptrdiff_t>(last) + 1);
      batchPieces += std::max<std::size_t>(1, last - first);
      if (batchPieces >= kBatchPieces) {
        batches.push_back(std::move(batch));
        batch.clear();
        batchPieces = 0;
      }
    }
  }
  if (!batch.empty()) batches.push_back(std::move(batch));

  struct Carried {
    int rank;
    ClipperLib::Paths ink;
  };
  std::vector<Carried> stack;
  auto unite = [&](const ClipperLib::Paths& a, const ClipperLib::Paths& b, ClipperLib::Paths& out) {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(a, ClipperLib::ptSubject, true);
    clipper.AddPaths(b, ClipperLib::ptClip, true);
    clipper.Execute(ClipperLib::ctUnion, out, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    std::size_t vertices = 0;
    for (const ClipperLib::Path& path : out) vertices += path.size();
    return vertices <= kMostUnionVertices;
  };
  for (const ClipperLib::Paths& strokes : batches) {
    ClipperLib::ClipperOffset offset(2.0, arcTolerance_);
    offset.AddPaths(strokes, ClipperLib::jtRound, ClipperLib::etOpenRound);
    ClipperLib::Paths ink;
    offset.Execute(ink, settings_.radius * kGridStepsPerUnit);
    stack.push_back({0, std::move(ink)});
    while (stack.size() >= 2 && stack[stack.size() - 1].rank == stack[stack.size() - 2].rank) {
      ClipperLib::Paths merged;
      if (!unite(stack[stack.size() - 2].ink, stack.back().ink, merged)) {
        // Past what a glyph can hold: the first strokes' union, whole.
        cut_ = true;
        return std::move(stack.front().ink);
      }
      int rank = stack.back().rank + 1;
      stack.pop_back();
      stack.back() = {rank, std::move(merged)};
    }
  }
  if (stack.empty()) return {};
  ClipperLib::Paths ink = std::move(stack.back().ink);
  for (std::size_t k = stack.size() - 1; k-- > 0;) {
    ClipperLib::Paths merged;
    if (!unite(stack[k].ink, ink, merged)) {
      cut_ = true;
      return std::move(stack.front().ink);
    }
    ink = std::move(merged);
  }
  return ink;
}

}  // namespace morlune::convert
