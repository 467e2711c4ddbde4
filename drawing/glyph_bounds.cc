// Bounds of lines and of arcs: an arc's extremes along x and y lie at its
// end points or where it passes a quarter turn.
#include "drawing/glyph_bounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace morlune {

void Box::Add(Point p) {
  if (empty) {
    left = right = p.x;
    bottom = top = p.y;
    empty = false;
    return;
  }
  left = std::min(left, p.x);
  right = std::max(right, p.x);
  bottom = std::min(bottom, p.y);
  top = std::max(top, p.y);
}

void Box::Add(const Box& other) {
  if (other.empty) return;
  Add(Point{other.left, other.bottom});
  Add(Point{other.right, other.top});
}

void BoundsSink::Line(Point from, Point to) {
  box_.Add(from);
  box_.Add(to);
}

void BoundsSink::Arc(const ArcPiece& arc) {
  box_.Add(arc.from);
  box_.Add(arc.to);
  if (arc.axisX == 0 || arc.axisY == 0) {
    // Flattened by its frame onto a line through the centre.
    box_.Add(Point{arc.centre.x - std::fabs(arc.axisX), arc.centre.y - std::fabs(arc.axisY)});
    box_.Add(Point{arc.centre.x + std::fabs(arc.axisX), arc.centre.y + std::fabs(arc.axisY)});
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
    box_.Add(Point{arc.centre.x + arc.axisX * kCos[which], arc.centre.y + arc.axisY * kSin[which]});
  }
}

}  // namespace morlune
