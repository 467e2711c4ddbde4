// TrueType's glyph outlines (glyf) and where each glyph's record begins
// (loca): simple glyphs, their flags and coordinate deltas packed.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "convert/opentype/quadratic_contours.h"

namespace morlune::convert {

// What one simple glyph may hold.
inline constexpr std::size_t kMostGlyphPoints = 65535;
inline constexpr std::size_t kMostGlyphContours = 32767;

struct GlyphBox {
  std::int16_t xMin = 0;
  std::int16_t yMin = 0;
  std::int16_t xMax = 0;
  std::int16_t yMax = 0;
  bool empty = true;
};

// The glyph's record, with its box (over every point, control points
// included, as readers check it). Nothing for a glyph without contours.
// The contours hold at most the points and contours above, each point
// within 16 bits.
std::vector<std::uint8_t> SimpleGlyphRecord(std::span<const TrueTypeContour> contours, GlyphBox& box);

class GlyfTable {
 public:
  // The next glyph's record, in glyph order.
  void Add(std::span<const std::uint8_t> record);
  // Short offsets (halved, 16-bit) while the table is small enough.
  bool LongOffsets() const { return glyf_.size() > kShortOffsetReach; }
  const std::vector<std::uint8_t>& Glyf() const { return glyf_; }
  std::vector<std::uint8_t> Loca() const;

 private:
  static constexpr std::size_t kShortOffsetReach = 2 * 0xFFFF;
  std::vector<std::uint8_t> glyf_;
  std::vector<std::uint32_t> offsets_{0};
};

}  // namespace morlune::convert
