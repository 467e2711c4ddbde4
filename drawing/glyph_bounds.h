// The box that a character's drawing covers, arcs by their true extremes.
#pragma once

#include "drawing/geometry.h"

namespace morlune {

// Widens the box to hold the point, or the other box.
void AddToBox(Box& box, Point p);
void AddToBox(Box& box, const Box& other);
inline double BoxWidth(const Box& box) { return box.empty ? 0 : box.max.x - box.min.x; }
inline double BoxHeight(const Box& box) { return box.empty ? 0 : box.max.y - box.min.y; }

class BoundsSink : public GeometrySink {
 public:
  void Clear() { box_ = Box(); }
  const Box& Bounds() const { return box_; }

  void Line(Point from, Point to) override;
  void Arc(const ArcSegment& arc) override;

 private:
  Box box_;
};

}  // namespace morlune
