// A font drawn for people and for programs, written piece by piece as it is
// made: the SVG specimen sheet of its glyphs or the exact listing of their
// geometry, and a line of text set in a style, as a picture or a listing.
// What morlune-draw writes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <morlune/export.h>
#include <morlune/font.h>
#include <morlune/geometry.h>
#include <morlune/result.h>
#include <morlune/text.h>

namespace morlune {

enum class DrawingForm : std::uint8_t {
  kPicture,  // an SVG picture: the specimen sheet, a labelled cell a glyph, or the line of text
  kListing,  // a line a glyph: its code, its advance and its path data, exact for diff
};

struct DrawingOptions {
  DrawingForm form = DrawingForm::kPicture;
  // DrawFont: the records whose code lies from firstCode to lastCode, the
  // font-header records aside, in the decompiler's order.
  std::uint32_t firstCode = 0;
  std::uint32_t lastCode = 0xFFFF;
  // A picture: SVG units per font height (above 0, at most 1000).
  double height = 32;
  // How a picture's caption names the font, such as its file's path.
  std::string label;
  // The strokes' round pen: its diameter in font units (at most 65536), or
  // with penPerHeight a share of the font's height (at most 1); 0: a
  // hairline of 1.25 pixels.
  double penWidth = 0;
  bool penPerHeight = false;
  DrawLimits limits;
};

// Where the text goes, piece by piece in order; and where each warning
// goes as it is met: what a glyph's drawing skipped as a TextWarning of
// kind kGlyph (code: the shape drawn), and for a line of text its own
// warnings too, as LayOutText gives them. Each message is what morlune-draw
// writes after the font's name.
using DrawingWrite = std::function<void(std::string_view piece)>;
using DrawingWarn = std::function<void(const TextWarning& warning)>;

// The font's specimen sheet or listing. Returns the number of glyphs drawn;
// kBadArgument for options out of their ranges, before anything is written.
MORLUNE_API Result<long long> DrawFont(const Font& font, const DrawingOptions& options, const DrawingWrite& write,
                                       const DrawingWarn& warn = {});

// A line of text (UTF-8) set in the style, drawn in its font's own units
// (the style's height is not used: a picture is sized by options.height, as
// a specimen is). Returns where the next text would start. Errors, before
// anything is written: those of LayOutText, and kBadArgument for options
// out of their ranges.
MORLUNE_API Result<Point> DrawLineOfText(const TextStyle& style, std::string_view text, const DrawingOptions& options,
                                         const DrawingWrite& write, const DrawingWarn& warn = {});

// What keeps a font's records from being drawn at all, found as it opened.
enum class DrawingGapKind : std::uint8_t {
  kNone,
  kNoIndex,      // its index cannot be read: no shape is drawn
  kUnreachable,  // a bigfont record lies where the file cannot be positioned: it and those after it are not drawn
};

struct DrawingGap {
  DrawingGapKind kind = DrawingGapKind::kNone;
  std::string message;  // what morlune-draw writes after the font's name; empty for kNone
};

MORLUNE_API DrawingGap DrawingGapOf(const Font& font);

// Paths as SVG path data in their own units, y up, as the listing writes a
// glyph's: absolute M, L and A commands and numbers of at most six decimals,
// one blank between each, and a move only where the pen is not already at
// the next segment's start: a glyph from GlyphOf, or a line from
// LayOutText, written as the listing would write it.
MORLUNE_API std::string PathData(const std::vector<Path>& paths);

}  // namespace morlune
