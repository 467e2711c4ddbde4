// A sheared piece is the image of a circle under the matrix [[axisX, shear axisY], [0, axisY]],
// whose axes are its singular values along the turn of its first singular
// vector.
#include "drawing/arc_ellipse.h"

#include <cmath>
#include <numbers>

namespace morlune {

ArcEllipse ShearedEllipseOf(const ArcSegment& arc) {
  ArcEllipse ellipse;
  ellipse.large = std::fabs(arc.sweep) > 180;
  // The shear keeps the sign of the determinant, axisX times axisY.
  ellipse.counterclockwise = (arc.sweep > 0) != Mirrored(arc);
  double m00 = arc.axisX, m01 = arc.shear * arc.axisY, m10 = 0, m11 = arc.axisY;
  double e = (m00 + m11) / 2, f = (m00 - m11) / 2, g = (m10 + m01) / 2, h = (m10 - m01) / 2;
  double q = std::hypot(e, h), r = std::hypot(f, g);
  ellipse.radiusX = q + r;
  ellipse.radiusY = std::fabs(q - r);
  double turn = (std::atan2(g, f) + std::atan2(h, e)) / 2;
  ellipse.rotation = turn * 180 / std::numbers::pi;
  return ellipse;
}

}  // namespace morlune
