// The outline's polygons as TrueType contours: straight lines where the
// polygon runs straight, quadratic pieces where one fits within the
// tolerance, on whole font units.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include <morlune/geometry.h>

namespace morlune::convert {

// A point of a TrueType contour: on the outline, or the control point of
// a quadratic piece. Two control points in a row imply an on-curve point
// halfway between them.
struct OutlinePoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool onCurve = true;
  friend bool operator==(const OutlinePoint&, const OutlinePoint&) = default;
};
using TrueTypeContour = std::vector<OutlinePoint>;

// A point of a contour before it goes to whole units.
struct CurvePoint {
  Point at;
  bool onCurve = true;
};

// A quadratic piece is fitted to at most this many polygon edges.
inline constexpr std::size_t kMostEdgesPerPiece = 32;

// The closed polygon (no point repeated at its end) as lines and quadratic
// pieces that stray at most tolerance from it, starting at its sharpest
// corner: from each on-curve point, whichever of a line or a quadratic
// covers more of the polygon (a line where they tie). A quadratic whose
// control point would lie farther than `farthest` from the origin on
// either axis is not taken.
std::vector<CurvePoint> FitQuadratics(std::span<const Point> polygon, double tolerance,
                                      double farthest = HUGE_VAL);

// The contour on whole units: repeated points dropped, and on-curve points
// halfway between two control points left for the reader to imply. Empty
// when fewer than three points remain.
TrueTypeContour ToWholeUnits(const std::vector<CurvePoint>& contour);

// The contour's points with the on-curve point that TrueType implies
// between two control points made explicit.
std::vector<CurvePoint> WithImpliedPoints(const TrueTypeContour& contour);

// Twice the area the contour encloses, its quadratic pieces included:
// positive for a counterclockwise contour (y up).
double TwiceSignedArea(const TrueTypeContour& contour);

}  // namespace morlune::convert
