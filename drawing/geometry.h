// What drawing a character gives: line segments and arcs in the character's
// units (font units, x to the right, y up), handed to a sink as they are
// drawn.
#pragma once

#include <cmath>

namespace morlune {

struct Point {
  double x = 0;
  double y = 0;
};

// A piece of a circle of the record being drawn, as it lands in the
// character: a circle stretched by a frame is an ellipse with axes along x
// and y. At most a half circle per piece where it is a full circle.
struct ArcPiece {
  Point from;
  Point to;
  Point centre;
  // The semi-axes along x and y, each signed by the frame's direction on
  // that axis: the point at angle t is centre + (axisX cos t, axisY sin t).
  double axisX = 0;
  double axisY = 0;
  // In degrees, in the record's own units: the sweep from from to to,
  // counterclockwise positive.
  double sweep = 0;
};

// Whether the frame the arc was drawn in mirrors it: exactly one of its
// axes points backwards. A frame of width or height 0 keeps the sign of its
// size in the sign of a zero axis, so the sign bits decide, not the
// product.
inline bool Mirrored(const ArcPiece& arc) { return std::signbit(arc.axisX) != std::signbit(arc.axisY); }

class GeometrySink {
 public:
  virtual ~GeometrySink() = default;
  virtual void Line(Point from, Point to) = 0;
  virtual void Arc(const ArcPiece& arc) = 0;
};

// The way a long-form subshape's frame places its record's units in the
// character: a scale along each axis and an offset.
struct Frame {
  double originX = 0;
  double originY = 0;
  double scaleX = 1;
  double scaleY = 1;

  Point Place(double x, double y) const { return {originX + scaleX * x, originY + scaleY * y}; }
};

}  // namespace morlune
