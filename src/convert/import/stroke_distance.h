// How far a drawn glyph lies from the strokes it was made from: the
// largest distance either way, from a point of one to the nearest point of
// the other, sampled along both finely.
#pragma once

#include <cmath>
#include <span>
#include <vector>

#include <morlune/geometry.h>

#include "convert/stroke_font.h"

namespace morlune::convert {

// Polylines that follow the strokes, scaled by scale, arcs within
// flatness of their curve.
std::vector<std::vector<Point>> StrokePolylines(const StrokeGlyph& glyph, double scale, double flatness);
// Polylines that follow the drawn paths, arcs within flatness.
std::vector<std::vector<Point>> PathPolylines(std::span<const Path> paths, double flatness);

// The largest distance between the two sets of polylines, both ways, with
// points taken at most step apart. A set without a piece is taken as
// empty: the distance is then 0 if both are, else infinite. A distance
// below atLeast comes out as atLeast: where only the larger of the two
// matters, the points that cannot pass it are not looked at. Once a
// distance past `enough` is found the search stops and returns it: where
// only that is asked, the rest need not be looked at.
double PolylineDistance(const std::vector<std::vector<Point>>& a, const std::vector<std::vector<Point>>& b,
                        double step, double atLeast = 0, double enough = HUGE_VAL);

}  // namespace morlune::convert
