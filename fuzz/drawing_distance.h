// How far apart two drawings lie, as the eye sees them: every part of one
// within some distance of a part of the other, whatever the order or the
// direction of their pieces.
#pragma once

#include <vector>

#include <morlune/geometry.h>

namespace morlune::fuzzing {

// A drawing as straight pieces: each inner vector one pen-down run.
using Polylines = std::vector<std::vector<Point>>;

// A glyph's paths, its arcs cut into straight pieces; `flattening` is set
// to the farthest an arc strays from its pieces.
Polylines GlyphPolylines(const Glyph& glyph, double scale, double& flattening);

// The farthest any point of `from` lies from the nearest point of `to`,
// measured at points at most `step` apart along `from` (so the true
// distance is at most step / 2 more). Infinite where `from` draws and `to`
// does not; 0 where `from` draws nothing.
double DirectedDistance(const Polylines& from, const Polylines& to, double step);

// The farthest any point lies from the first point of its own run: the
// size of the largest mark, which is how far off ink lost whole is.
double Extent(const Polylines& lines);

// The length of all the pieces.
double TotalLength(const Polylines& lines);

// The number of straight pieces (a lone point counts as one).
std::size_t PieceCount(const Polylines& lines);

}  // namespace morlune::fuzzing
