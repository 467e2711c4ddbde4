// The entries of the two kinds of index and the bigfont escape ranges, as
// they stand in the compiled file (every number little-endian).
#pragma once

#include <cstdint>

namespace morlune {

// Shapes index entry: 4 bytes, code then record length.
struct ShapeIndexEntry {
  std::uint16_t code;
  std::uint16_t length;
};

// Bigfont index entry: 8 bytes, code, record length, then the offset of the
// record from the start of the file.
struct BigfontIndexEntry {
  std::uint16_t code;
  std::uint16_t length;
  std::uint32_t offset;
};

// Bigfont escape range: 4 bytes, the first and the last escape code.
struct EscapeRangeEntry {
  std::uint16_t first;
  std::uint16_t last;
};

inline constexpr unsigned kShapeIndexEntrySize = 4;
inline constexpr unsigned kBigfontIndexEntrySize = 8;

}  // namespace morlune
