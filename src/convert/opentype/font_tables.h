// The font-wide tables made from the glyphs' measures: head, hhea, hmtx,
// maxp, OS/2 and post.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "convert/opentype/glyf_table.h"

namespace morlune::convert {

struct GlyphMetrics {
  std::uint16_t advance = 0;
  GlyphBox box;  // empty for a glyph without contours
};

// What the tables say, in output font units.
struct FontMeasures {
  std::uint16_t unitsPerEm = 2048;
  std::vector<GlyphMetrics> glyphs;  // in glyph order, .notdef first
  // Lines: above and below the baseline (both positive), and the gap
  // between one line's descent and the next's ascent.
  std::int16_t ascent = 0;
  std::int16_t descent = 0;
  std::int16_t lineGap = 0;
  std::int16_t capHeight = 0;
  std::int16_t xHeight = 0;   // 0 when the font has no x
  std::int16_t penWidth = 1;  // the strike-out's and underline's thickness
  std::uint16_t mostPoints = 0;
  std::uint16_t mostContours = 0;
  bool longLoca = false;
  std::int64_t created = 0;  // seconds since 1970
  std::uint16_t firstCharacter = 0;  // both held to the plane
  std::uint16_t lastCharacter = 0;
  std::array<std::uint32_t, 4> unicodeRanges{};
  std::uint32_t codePages = 0;
};

// Sets the Unicode range and code page bits for the characters.
void MarkCharacterRanges(std::span<const char32_t> characters, FontMeasures& measures);

// The box around every glyph's.
GlyphBox FontBox(const FontMeasures& measures);

std::vector<std::uint8_t> HeadTable(const FontMeasures& measures);
std::vector<std::uint8_t> HheaTable(const FontMeasures& measures);
// Advances and left side bearings; glyphs at the end that share the last
// advance give only their bearings.
std::vector<std::uint8_t> HmtxTable(const FontMeasures& measures);
std::uint16_t HorizontalMetricsCount(const FontMeasures& measures);
std::vector<std::uint8_t> MaxpTable(const FontMeasures& measures);
std::vector<std::uint8_t> Os2Table(const FontMeasures& measures);
std::vector<std::uint8_t> PostTable(const FontMeasures& measures);

}  // namespace morlune::convert
