// A glyph's strokes placed on a grid of whole font units: vertices
// rounded, arcs given the item's bulge steps (split where that strays past
// the tolerance or a byte cannot hold the chord), curves as fitted bulge
// arcs or their samples thinned to the fewest straight pieces within the
// tolerance, whichever takes fewer bytes.
#pragma once

#include "convert/shape_items.h"
#include "convert/stroke_font.h"

namespace morlune::convert {

struct GridGlyph {
  ShapeItems items;          // ends pen up at the advance
  int advance = 0;           // in grid units
  double largestError = 0;   // in grid units, by the model of what the items draw
};

// scale: grid units per input unit; tolerance in grid units.
GridGlyph PlaceOnGrid(const StrokeGlyph& glyph, double scale, double tolerance);

// The farthest any vertex of the glyph moves when rounded to the grid, in
// grid units: no placement on that grid does better.
double VertexRounding(const StrokeGlyph& glyph, double scale);

}  // namespace morlune::convert
