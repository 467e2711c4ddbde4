// A glyph's strokes placed on a grid of whole font units: vertices
// rounded, arcs given the item's bulge steps (split where that strays past
// the tolerance or a byte cannot hold the chord), curves as fitted bulge
// arcs or their samples thinned to the fewest straight pieces within the
// tolerance, whichever takes fewer bytes.
#pragma once

#include <cstddef>
#include <vector>

#include <morlune/geometry.h>

#include "convert/import/shape_items.h"
#include "convert/stroke_font.h"

namespace morlune::convert {

struct GridGlyph {
  ShapeItems items;          // ends pen up at the advance
  int advance = 0;           // in grid units
  double largestError = 0;   // in grid units, by the model of what the items draw
  // A drawn move too long for one item was cut at stops off its line
  // (largestError then counts the stops' stray and the ends' rounding
  // apart, not summed).
  bool strayed = false;
};

// scale: grid units per input unit; tolerance in grid units.
GridGlyph PlaceOnGrid(const StrokeGlyph& glyph, double scale, double tolerance);

// The vertices of a font's glyphs, asked grid after grid whether each
// rounds to the grid within the tolerance: no placement on a grid where
// one does not can do better. Held in one array, the vertices that ruled
// the last grids out asked first: between them they rule most grids out.
class VertexRounding {
 public:
  void Add(const StrokeGlyph& glyph);
  // scale: grid units per input unit; tolerance in grid units.
  bool Within(double scale, double tolerance);

 private:
  std::vector<Point> points_;
  std::vector<std::size_t> hardest_;  // the latest first
};

}  // namespace morlune::convert
