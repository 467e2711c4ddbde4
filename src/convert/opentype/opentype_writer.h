// A font's glyphs as an OpenType font with TrueType outlines (or the same
// packed as WOFF2): each glyph the area a round pen sweeps along its
// strokes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/glyph_font.h"
#include "convert/loss_report.h"

namespace morlune::convert {

enum class OpenTypeFlavour { kTrueType, kWoff2 };

// A pen a fourteenth of the capital height: the thin line of technical
// lettering, which reads as the font drawn with a fine pen.
inline constexpr double kDefaultPenShare = 1.0 / 14;
// The outline strays at most half a percent of the capital height from
// the pen's.
inline constexpr double kDefaultToleranceShare = 0.005;
// The pen and the tolerance are held within these (output units).
inline constexpr double kThinnestPen = 1;
inline constexpr double kWidestPen = 4096;
inline constexpr double kFinestTolerance = 1.0 / 16;
inline constexpr double kCoarsestTolerance = 1024;

struct OpenTypeOptions {
  OpenTypeFlavour flavour = OpenTypeFlavour::kTrueType;
  // In the output's font units, or with ...PerCap a share of the capital
  // height.
  double penWidth = kDefaultPenShare;
  bool penWidthPerCap = true;
  double tolerance = kDefaultToleranceShare;
  bool tolerancePerCap = true;
  std::string family;        // empty: the font's own name
  std::int64_t created = 0;  // head's dates, seconds since 1970
};

struct OpenTypeFile {
  std::vector<std::uint8_t> bytes;  // empty where WOFF2 packing refused the font
  std::size_t glyphs = 0;           // .notdef and the space included
  long long points = 0;             // in every contour
  // Output units per unit of the font, and the pen and tolerance used, in
  // output units.
  double scale = 1;
  double penWidth = 0;
  double tolerance = 0;
  // How far the contours stray from the true edge of the pen's sweep at
  // most, in output units, and in which character's glyph (0 for .notdef).
  double largestDeviation = 0;
  char32_t farthestCharacter = 0;
};

// The glyphs of characters the format can map, in character order after
// .notdef, a space added where the font has none; each glyph's advance
// from its drawing. What the format cannot carry goes to losses, in the
// font's units: glyphs without a character or past 65,535, points pulled
// into 16 bits, glyphs cut short by the bounds on work, advances rounded.
OpenTypeFile WriteOpenType(GlyphSource& font, const OpenTypeOptions& options, LossReport& losses);

// False in a build without the polygon clipping and WOFF2 libraries, whose
// WriteOpenType writes nothing.
bool OpenTypeWritable();

}  // namespace morlune::convert
