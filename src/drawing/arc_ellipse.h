// An arc piece as the elliptical arc of path data: its radii, the turn of
// its first axis and the flags, the one reading of an arc that the listing
// and the pictures share.
#pragma once

#include <cmath>

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
  if (arc.shear != 0) [[unlikely]] return ShearedEllipseOf(arc);
  // A frame that mirrors one axis turns a counterclockwise arc clockwise.
  return {std::fabs(arc.axisX), std::fabs(arc.axisY), 0, std::fabs(arc.sweep) > 180,
          (arc.sweep > 0) != Mirrored(arc)};
}

}  // namespace morlune
