// Bulge arcs fitted to a smooth curve on a grid of whole font units: each
// arc judged by what the written item draws, its ends rounded to the grid
// and its bulge to one of the byte's 127 steps, and kept only where that
// stays within the tolerance of the curve; longer stretches of the curve
// tried first, shorter ones where the arc strays or its chord outgrows a
// byte.
#pragma once

#include <optional>
#include <vector>

#include <morlune/geometry.h>

#include "convert/smooth_curve.h"

namespace morlune::convert {

// One piece from where the pen stands, in whole units: a bulge arc with
// bulge q (1 to 127 either way), or a straight piece where q is 0.
struct ArcStep {
  int dx = 0;
  int dy = 0;
  int q = 0;
};

struct CurveFit {
  std::vector<ArcStep> steps;
  double largestError = 0;  // the farthest any drawn piece lies from the curve
};

// The pieces from `start` (a grid point: the curve's start rounded) to the
// curve's end rounded, for a curve already in grid units. None where the
// curve is not finite, where it takes more than mostSteps pieces, where a
// stretch too short to split further still strays, or where the work
// (counted in distances measured, taken from `work`) runs out.
std::optional<CurveFit> FitArcs(const SmoothCurve& curve, Point start, double tolerance, std::size_t mostSteps,
                                long long& work);

}  // namespace morlune::convert
