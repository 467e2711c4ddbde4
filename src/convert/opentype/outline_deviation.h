// How far a glyph's finished contours stray from the true boundary of the
// pen's sweep: a point on that boundary lies exactly the pen's radius from
// the nearest point the pen's centre passed.
#pragma once

#include <span>

#include "convert/opentype/pen_outline.h"
#include "convert/opentype/quadratic_contours.h"

namespace morlune::convert {

// Distances taken per glyph, at most: past them the contours are sampled
// more thinly.
inline constexpr long long kDeviationWork = 1 << 24;

// The largest | d(p) - radius | over points p sampled along every line and
// quadratic piece of the contours, d being the distance from p to the
// centre line (output units). It sees where the contours stray, not where
// a whole contour is missing, which the union does not leave.
double LargestDeviation(std::span<const TrueTypeContour> contours, const CentreLine& centre, double radius);

}  // namespace morlune::convert
