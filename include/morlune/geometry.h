// What a glyph draws, as data: paths of line segments and arcs in font
// units (x to the right, y up, the character's origin on the baseline).
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include <morlune/export.h>

namespace morlune {

struct Point {
  double x = 0;
  double y = 0;
};

struct LineSegment {
  Point from;
  Point to;
};

// A piece of a circle, as it lands in the character: a circle stretched by a
// frame is an ellipse with axes along x and y. At most a half circle per
// piece (a full circle is two).
struct ArcSegment {
  Point from;
  Point to;
  Point centre;
  // The semi-axes along x and y, each signed by the frame's direction on
  // that axis: the point at angle t is centre + (axisX cos t, axisY sin t).
  double axisX = 0;
  double axisY = 0;
  // Degrees, in the drawn record's own units, from `from` to `to`,
  // counterclockwise positive.
  double sweep = 0;
  // Text set oblique shears the arc: x also moves by shear times the y
  // offset from the centre, so the point at angle t is
  // centre + (axisX cos t + shear axisY sin t, axisY sin t). 0 in a glyph.
  double shear = 0;
};

using Segment = std::variant<LineSegment, ArcSegment>;

// Segments drawn one after another without lifting the pen: each starts
// where the one before ends.
struct Path {
  Point start;
  std::vector<Segment> segments;
};

// What a glyph's drawing skipped or where it stopped.
enum class GlyphWarningKind : std::uint8_t {
  kCutShort,       // an item runs past its record's end: that record ends
  kZeroScale,      // code 3 or 4 with 0: ignored
  kStackFull,      // a fifth push: ignored
  kStackEmpty,     // a pop with nothing pushed: ignored
  kNoHeight,       // a long-form subshape in a font whose height is 0: skipped
  kSubshapeZero,   // a subshape naming code 0: skipped
  kNoSuchShape,    // a subshape naming a code no record has: skipped
  kAlreadyDrawn,   // a subshape naming a record being drawn (a cycle): skipped
  kTooDeep,        // a subshape deeper than the bound: the glyph stops
  kTooManyItems,   // more items than the bound: the glyph stops
  kScaleBound,     // a scale factor out of bounds: the glyph stops
  kPositionBound,  // a coordinate or radius past 2^31: the glyph stops
  kRunSpent,       // the run's item budget was spent: nothing more is drawn
  kFileEnds,       // the file ends inside a record drawn: drawn as far as it goes
};

struct GlyphWarning {
  GlyphWarningKind kind = GlyphWarningKind::kCutShort;
  // The record concerned: the one cut short, the subshape's code, or the
  // record whose push, pop or scale is ignored or where the glyph stops.
  std::uint32_t code = 0;
  long long count = 1;     // how often it came within the glyph
  std::string message;     // the words morlune-draw writes after "shape CODE: "
};

struct Glyph {
  std::uint32_t code = 0;
  Point advance;  // where the pen stands when the glyph ends
  std::vector<Path> paths;
  std::vector<GlyphWarning> warnings;
  // The items the glyph took towards the run's bound (list pairs and
  // entries included): a caller drawing glyph after glyph keeps its own
  // budget for the font with it.
  long long items = 0;
};

struct Box {
  Point min;
  Point max;
  bool empty = true;  // nothing was drawn
};

// The drawing's bounds. The defaults are the contract's, which the tools
// use; smaller ones serve fuzzing and tests.
struct DrawLimits {
  int maxDepth = 16;                         // a subshape at depth maxDepth + 1 stops the glyph
  long long itemsPerGlyph = 100000;          // the item after these stops the glyph
  long long runItemsPerFontByte = 16;        // a run's budget: this many per byte of the font...
  long long runItemsAtLeast = 1000000;       // ...or this many where that is more
};

}  // namespace morlune
