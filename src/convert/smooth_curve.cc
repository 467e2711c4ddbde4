// Bezier curves and elliptical pieces run by t: points, bends, scaling
// and the test that keeps non-finite curves out.
#include "convert/smooth_curve.h"

#include <algorithm>
#include <cmath>

namespace morlune::convert {

SmoothCurve SmoothCurve::Cubic(Point start, Point control1, Point control2, Point end) {
  SmoothCurve curve;
  curve.points_[0] = start;
  curve.points_[1] = control1;
  curve.points_[2] = control2;
  curve.points_[3] = end;
  return curve;
}

SmoothCurve SmoothCurve::Quadratic(Point start, Point control, Point end) {
  // Raised a degree: the inner controls lie two thirds of the way from each
  // end to the quadratic's control, and the curve is the same.
  return Cubic(start, {start.x + 2 * (control.x - start.x) / 3, start.y + 2 * (control.y - start.y) / 3},
               {end.x + 2 * (control.x - end.x) / 3, end.y + 2 * (control.y - end.y) / 3}, end);
}

SmoothCurve SmoothCurve::Ellipse(Point from, Point to, Point centre, double rx, double ry, double rotation,
                                 double start, double sweep) {
  SmoothCurve curve;
  curve.kind_ = Kind::kEllipse;
  curve.points_[0] = from;
  curve.points_[1] = to;
  curve.points_[2] = centre;
  curve.rx_ = rx;
  curve.ry_ = ry;
  curve.cosRotation_ = std::cos(rotation);
  curve.sinRotation_ = std::sin(rotation);
  curve.start_ = start;
  curve.sweep_ = sweep;
  return curve;
}

Point SmoothCurve::At(double t) const {
  if (kind_ == Kind::kCubic) {
    if (t <= 0) return points_[0];
    if (t >= 1) return points_[3];
    double u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * points_[0].x + b * points_[1].x + c * points_[2].x + d * points_[3].x,
            a * points_[0].y + b * points_[1].y + c * points_[2].y + d * points_[3].y};
  }
  if (t <= 0) return points_[0];
  if (t >= 1) return points_[1];
  double angle = start_ + t * sweep_;
  double x = rx_ * std::cos(angle), y = ry_ * std::sin(angle);
  return {points_[2].x + x * cosRotation_ - y * sinRotation_, points_[2].y + x * sinRotation_ + y * cosRotation_};
}

SmoothCurve SmoothCurve::Scaled(double factor) const {
  SmoothCurve curve = *this;
  for (Point& p : curve.points_) p = {p.x * factor, p.y * factor};
  curve.rx_ *= factor;
  curve.ry_ *= factor;
  return curve;
}

double SmoothCurve::Bend() const {
  if (kind_ == Kind::kEllipse) return std::max(std::fabs(rx_), std::fabs(ry_)) * sweep_ * sweep_;
  // The second derivative runs straight between its values at 0 and 1.
  const Point* p = points_;
  return 6 * std::max(std::hypot(p[0].x - 2 * p[1].x + p[2].x, p[0].y - 2 * p[1].y + p[2].y),
                      std::hypot(p[1].x - 2 * p[2].x + p[3].x, p[1].y - 2 * p[2].y + p[3].y));
}

bool SmoothCurve::Finite() const {
  bool finite = std::isfinite(rx_) && std::isfinite(ry_) && std::isfinite(start_) && std::isfinite(sweep_);
  for (const Point& p : points_) finite = finite && std::isfinite(p.x) && std::isfinite(p.y);
  return finite && std::isfinite(Bend());
}

}  // namespace morlune::convert
