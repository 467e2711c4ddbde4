// Points along an arc as the pen draws it: an ellipse with axes along x
// and y, sheared when the text is set oblique, possibly squashed flat.
#pragma once

#include <vector>

#include <morlune/geometry.h>

namespace morlune::convert {

// The arc as an affine image of the unit circle: the point at angle a is
// centre + (axisX cos a + shear axisY sin a, axisY sin a), for a from
// start to start + sweep (radians).
class ShearedArc {
 public:
  explicit ShearedArc(const ArcSegment& arc);

  // The point at share t (0 to 1) of the sweep: `from` and `to` exactly at
  // the ends.
  Point At(double t) const;
  // The largest distance from the centre the image of the unit circle
  // reaches: the largest singular value of the arc's 2x2 map.
  double LargestRadius() const { return largestRadius_; }
  double SweepRadians() const { return sweep_; }
  // True when the arc is a piece of a circle: equal axes, no shear.
  bool Circular() const;
  double StartRadians() const { return start_; }

  // How many equal-angle straight pieces stray at most tolerance from the
  // arc: at least one, at most mostPieces.
  int PiecesWithin(double tolerance, int mostPieces) const;

 private:
  ArcSegment arc_;
  double start_ = 0;
  double sweep_ = 0;
  double largestRadius_ = 0;
};

}  // namespace morlune::convert
