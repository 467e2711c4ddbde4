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

ArcEllipse EllipseOf(const ArcSegment& arc);

}  // namespace morlune
