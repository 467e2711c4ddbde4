// The character map (cmap): format 4 for the Basic Multilingual Plane,
// and format 12 for every character when some lie past it or the plane's
// characters need more segments than format 4 holds.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace morlune::convert {

struct CharacterToGlyph {
  char32_t character = 0;
  std::uint16_t glyph = 0;
};

// Characters a font may map: Unicode scalar values, less U+FFFF, which
// format 4's closing segment keeps for itself.
inline bool MappableCharacter(char32_t c) {
  return c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF) && c != 0xFFFF;
}

// A run of consecutive characters on consecutive glyphs.
struct CmapRange {
  char32_t first = 0;
  char32_t last = 0;
  std::uint16_t firstGlyph = 0;
  friend bool operator==(const CmapRange&, const CmapRange&) = default;
};

// Format 4 holds at most this many segments, its closing one included.
inline constexpr std::size_t kMostFormat4Segments = (0xFFFF - 16) / 8;

// The runs of the map, ascending characters (each mappable, once).
std::vector<CmapRange> CmapRanges(std::span<const CharacterToGlyph> map);

// The whole table: format 4 under platform 3 encoding 1; format 12,
// where written, under platform 3 encoding 10.
std::vector<std::uint8_t> CmapTable(std::span<const CharacterToGlyph> map);

}  // namespace morlune::convert
