// What drawing a character gives, handed to a sink segment by segment as it
// is drawn: the library's own Point and ArcSegment, in the character's units
// (font units, x to the right, y up). Every writer of the drawing (the
// listing, the pictures, a glyph as data) is such a sink: it takes the
// segments as the pen draws them, or as a glyph's paths keep them.
#pragma once

#include <cmath>
#include <span>

#include <morlune/geometry.h>

namespace morlune {

// Whether the frame the arc was drawn in mirrors it: exactly one of its
// axes points backwards. A frame of width or height 0 keeps the sign of its
// size in the sign of a zero axis, so the sign bits decide, not the
// product.
inline bool Mirrored(const ArcSegment& arc) { return std::signbit(arc.axisX) != std::signbit(arc.axisY); }

class GeometrySink {
 public:
  virtual ~GeometrySink() = default;
  virtual void Line(Point from, Point to) = 0;
  virtual void Arc(const ArcSegment& arc) = 0;
};

// Hands kept paths to a sink in their order, as the pen drew them.
inline void ReplayPaths(std::span<const Path> paths, GeometrySink& sink) {
  for (const Path& path : paths) {
    for (const Segment& segment : path.segments) {
      if (const LineSegment* line = std::get_if<LineSegment>(&segment)) {
        sink.Line(line->from, line->to);
      } else {
        sink.Arc(*std::get_if<ArcSegment>(&segment));
      }
    }
  }
}

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
