// Bounds of lines and of arcs: an arc's extremes along x and y lie at its
// end points or where it passes a quarter turn.
#include "drawing/glyph_bounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace morlune {

void AddToBox(Box& box, Point p) {
  if (box.empty) {
    box.min = box.max = p;
    box.empty = false;
    return;
  }
  box.min.x = std::min(box.min.x, p.x);
  box.max.x = std::max(box.max.x, p.x);
  box.min.y = std::min(box.min.y, p.y);
  box.max.y = std::max(box.max.y, p.y);
}

void AddToBox(Box& box, const Box& other) {
  if (other.empty) return;
  AddToBox(box, other.min);
  AddToBox(box, other.max);
}

void BoundsSink::Line(Point from, Point to) {
  AddToBox(box_, from);
  AddToBox(box_, to);
}

void BoundsSink::Arc(const ArcSegment& arc) {
  AddToBox(box_, arc.from);
  AddToBox(box_, arc.to);
  if (arc.axisX == 0 || arc.axisY == 0) {
    // Flattened by its frame onto a line through the centre.
    AddToBox(box_, Point{arc.centre.x - std::fabs(arc.axisX), arc.centre.y - std::fabs(arc.axisY)});
    AddToBox(box_, Point{arc.centre.x + std::fabs(arc.axisX), arc.centre.y + std::fabs(arc.axisY)});
    return;
  }
  // The angle of from on the circle the ellipse was stretched from.
  constexpr double kDegree = std::numbers::pi / 180;
  double start = std::atan2((arc.from.y - arc.centre.y) / arc.axisY, (arc.from.x - arc.centre.x) / arc.axisX) / kDegree;
  double low = std::min(start, start + arc.sweep);
  double high = std::max(start, start + arc.sweep);
  // The quarter turns strictly inside the sweep; a piece sweeps at most a
  // full turn, so there are at most four.
  for (double quarter = std::floor(low / 90) * 90 + 90; quarter < high; quarter += 90) {
    int which = static_cast<int>(std::fmod(quarter / 90, 4) + 4) % 4;
    static constexpr double kCos[4] = {1, 0, -1, 0};
    static constexpr double kSin[4] = {0, 1, 0, -1};
    AddToBox(box_, Point{arc.centre.x + arc.axisX * kCos[which], arc.centre.y + arc.axisY * kSin[which]});
  }
}

}  // namespace morlune
