// Bounds of lines and of arcs: an arc's extremes along x and y lie at its
// end points or where it passes a quarter turn.
#include "drawing/glyph_bounds.h"

#include <algorithm>
#include <cmath>

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
  double low = std::min(arc.startAngle, arc.startAngle + arc.sweep);
  double high = std::max(arc.startAngle, arc.startAngle + arc.sweep);
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
