// An arc piece as the elliptical arc of path data: its radii, the turn of
// its first axis and the flags, the one reading of an arc that the listing
// and the pictures share.
#pragma once

#include "drawing/geometry.h"

namespace morlune {

struct ArcEllipse {
  double radiusX = 0;
  double radiusY = 0;
  double rotation = 0;  // degrees, counterclockwise: the turn of the first axis
  bool large = false;   // the sweep passes a half circle
  bool counterclockwise = false;  // as drawn, which a mirroring frame reverses
};

// A sheared piece's radii and turn.
ArcEllipse ShearedEllipseOf(const ArcSegment& arc);

inline ArcEllipse EllipseOf(const ArcSegment& arc) {
  if (arc.shear != 0) return ShearedEllipseOf(arc);
  ArcEllipse ellipse;
  ellipse.radiusX = arc.axisX < 0 ? -arc.axisX : arc.axisX;
  ellipse.radiusY = arc.axisY < 0 ? -arc.axisY : arc.axisY;
  ellipse.large = arc.sweep > 180 || arc.sweep < -180;
  // A frame that mirrors one axis turns a counterclockwise arc clockwise.
  ellipse.counterclockwise = (arc.sweep > 0) != (arc.axisX * arc.axisY < 0);
  return ellipse;
}

}  // namespace morlune
