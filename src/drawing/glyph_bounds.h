// The box that a character's drawing covers, arcs by their true extremes.
#pragma once

#include <span>

#include "drawing/geometry.h"

namespace morlune {

// Widens the box to hold the point, or the other box.
inline void AddToBox(Box& box, Point p) {
  if (box.empty) {
    box.min = box.max = p;
    box.empty = false;
    return;
  }
  box.min.x = p.x < box.min.x ? p.x : box.min.x;
  box.max.x = p.x > box.max.x ? p.x : box.max.x;
  box.min.y = p.y < box.min.y ? p.y : box.min.y;
  box.max.y = p.y > box.max.y ? p.y : box.max.y;
}
void AddToBox(Box& box, const Box& other);
inline double BoxWidth(const Box& box) { return box.empty ? 0 : box.max.x - box.min.x; }
inline double BoxHeight(const Box& box) { return box.empty ? 0 : box.max.y - box.min.y; }

// Widens the box to hold the arc, by its true extremes.
void AddToBox(Box& box, const ArcSegment& arc);

// Widens a box segment by segment as the pen draws.
class BoundsSink : public GeometrySink {
 public:
  void Clear() { box_ = Box(); }
  const Box& Bounds() const { return box_; }
  void Line(Point from, Point to) override {
    AddToBox(box_, from);
    AddToBox(box_, to);
  }
  void Arc(const ArcSegment& arc) override { AddToBox(box_, arc); }

 private:
  Box box_;
};

// Widens the box to hold every segment of the paths.
void AddToBox(Box& box, std::span<const Path> paths);
inline Box BoundsOf(std::span<const Path> paths) {
  Box box;
  AddToBox(box, paths);
  return box;
}

}  // namespace morlune
