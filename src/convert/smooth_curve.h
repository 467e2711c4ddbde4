// A smooth piece of a path as it was read, kept beside its samples so that
// the grid can fit arcs to it: a cubic Bezier curve (a quadratic is raised
// to one exactly) or a piece of an ellipse, each run by t from 0 to 1.
#pragma once

#include <morlune/geometry.h>

namespace morlune::convert {

class SmoothCurve {
 public:
  static SmoothCurve Cubic(Point start, Point control1, Point control2, Point end);
  static SmoothCurve Quadratic(Point start, Point control, Point end);
  // The ellipse about `centre` with semi-axes rx and ry, its x axis turned
  // by `rotation`, from the angle `start` on by `sweep` (radians,
  // counterclockwise positive); `from` and `to` are its ends as read.
  static SmoothCurve Ellipse(Point from, Point to, Point centre, double rx, double ry, double rotation, double start,
                             double sweep);

  // The point at t; exactly the ends as read at 0 and 1.
  Point At(double t) const;
  // The same curve with every coordinate multiplied by factor.
  SmoothCurve Scaled(double factor) const;
  // A bound on the length of the second derivative by t: a chord over a
  // share d of t strays at most Bend() d^2 / 8 from the curve.
  double Bend() const;
  // Every number finite: only such a curve can be measured.
  bool Finite() const;

 private:
  enum class Kind : unsigned char { kCubic, kEllipse };
  Kind kind_ = Kind::kCubic;
  // A cubic's four control points; an ellipse's ends and centre in the
  // first three.
  Point points_[4];
  double rx_ = 0, ry_ = 0, cosRotation_ = 1, sinRotation_ = 0, start_ = 0, sweep_ = 0;
};

}  // namespace morlune::convert
