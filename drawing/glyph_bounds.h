// The box that a character's drawing covers, arcs by their true extremes.
#pragma once

#include "drawing/geometry.h"

namespace morlune {

struct Box {
  double left = 0;
  double bottom = 0;
  double right = 0;
  double top = 0;
  bool empty = true;

  void Add(Point p);
  void Add(const Box& other);
  double Width() const { return empty ? 0 : right - left; }
  double Height() const { return empty ? 0 : top - bottom; }
};

class BoundsSink : public GeometrySink {
 public:
  void Clear() { box_ = Box(); }
  const Box& Bounds() const { return box_; }

  void Line(Point from, Point to) override;
  void Arc(const ArcPiece& arc) override;

 private:
  Box box_;
};

}  // namespace morlune
