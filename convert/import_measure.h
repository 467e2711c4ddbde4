// The largest error of an imported font, taken on the drawing of the font
// written: how far a stroke read lies from the stroke drawn. A glyph of
// straight strokes whose drawing is exactly its rounded vertices strays by
// its vertices' rounding at most, which the placing knew; the others are
// measured on their drawing, but only those that could raise the largest.
#pragma once

#include <span>

#include <morlune/geometry.h>

#include "convert/grid_glyph.h"
#include "convert/stroke_font.h"

namespace morlune::convert {

struct WrittenGlyph {
  const StrokeGlyph* read = nullptr;
  const GridGlyph* placed = nullptr;
  const Glyph* drawn = nullptr;  // null: the written font has none
};

// In grid units; scale: grid units per input unit.
double LargestWrittenError(std::span<const WrittenGlyph> glyphs, double scale);

// The largest distance between the strokes read and the drawing, sampled
// along both every eighth of a grid unit.
double MeasuredError(const StrokeGlyph& read, double scale, const Glyph& drawn);

}  // namespace morlune::convert
