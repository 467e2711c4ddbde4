// The largest error of an imported font, taken on the drawing of the font
// written: how far a stroke read lies from the stroke drawn. A glyph of
// straight strokes whose drawing is exactly its rounded vertices strays by
// its vertices' rounding at most, which the placing knew (one whose
// vertices all lie on the grid is not drawn: its items hold it exactly);
// the others are measured on their drawing, but only those that could
// raise the largest.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

#include <morlune/geometry.h>

#include "convert/import/grid_glyph.h"
#include "convert/stroke_font.h"

namespace morlune::convert {

struct WrittenGlyph {
  const StrokeGlyph* read = nullptr;
  const GridGlyph* placed = nullptr;
  std::uint32_t code = 0;  // its code in the written font
};

// The written font's drawing of a code: its paths, valid until the next
// code is drawn; none where the font has no such glyph.
class WrittenDrawing {
 public:
  virtual ~WrittenDrawing() = default;
  virtual std::optional<std::span<const Path>> Draw(std::uint32_t code) = 0;
};

struct WrittenError {
  double distance = 0;                 // in grid units
  const StrokeGlyph* glyph = nullptr;  // the glyph read that strays that far; null where none strays
};

// scale: grid units per input unit. Once a glyph strays past `enough`,
// the glyphs left are not measured.
WrittenError LargestWrittenError(std::span<const WrittenGlyph> glyphs, double scale, WrittenDrawing& drawing,
                                 double enough = HUGE_VAL);

// The largest distance between the strokes read and the drawing, sampled
// along both every eighth of a grid unit; atLeast where that is larger
// (what is known to be no larger is not looked at); the sampling stops at
// the first distance past `enough`.
double MeasuredError(const StrokeGlyph& read, double scale, std::span<const Path> drawn, double atLeast = 0,
                     double enough = HUGE_VAL);

}  // namespace morlune::convert
