// A font on its way in: the strokes an interchange file draws, in its own
// units with y up and the origin on the baseline, before any grid.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "convert/reading_notes.h"
#include "convert/smooth_curve.h"

namespace morlune::convert {

struct StrokeVertex {
  double x = 0;
  double y = 0;
  // The piece that ends at this vertex: a straight line for 0, otherwise an
  // arc whose bulge is tan(included angle / 4), positive counterclockwise.
  // Ignored on a stroke's first vertex.
  double bulge = 0;
  // The piece is a sample of a smooth curve: it may be merged with its
  // neighbours where they stay within the tolerance.
  bool sampled = false;
};

// The samples from vertex `first` (where the curve starts) to vertex
// `last` (where it ends) follow this curve.
struct CurveSpan {
  std::size_t first = 0;
  std::size_t last = 0;
  SmoothCurve curve;
};

// One pen-down run.
struct Stroke {
  std::vector<StrokeVertex> vertices;
  // In the order of their vertices; initialized, so that a stroke can
  // still be written as its vertices alone.
  std::vector<CurveSpan> curves{};
};

struct StrokeGlyph {
  char32_t character = 0;
  double advance = 0;  // along x; the pen ends at (advance, 0)
  std::vector<Stroke> strokes;
};

struct StrokeFont {
  std::string name;
  // Units of a capital's height, and of the depth below the baseline.
  double capHeight = 1;
  double depth = 0;
  // Every coordinate and advance is an integer of a grid whose capitals
  // are capHeight units: taken on that grid, nothing moves.
  bool onOwnGrid = false;
  // The file keys its glyphs by byte codes, not characters: a shapes font
  // takes each glyph's character value as its code as it is.
  bool byteCoded = false;
  std::vector<StrokeGlyph> glyphs;  // in the file's order, each character once
  // What was read otherwise than as the format is written.
  ReadingNotes notes;
};

}  // namespace morlune::convert
