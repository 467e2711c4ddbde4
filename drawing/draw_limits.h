// The bounds that keep the drawing of any font, however hostile, finite in
// time and memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morlune {

// A character is drawn at depth 0, each subshape one level deeper.
inline constexpr int kMaxSubshapeDepth = 16;
// Items, list pairs and list entries that one character may take.
inline constexpr std::int64_t kMaxItemsPerCharacter = 100000;
// Items that a whole run may take: this many for each byte of the font file,
// and never fewer than kMinItemsPerRun.
inline constexpr std::int64_t kItemsPerFileByte = 16;
inline constexpr std::int64_t kMinItemsPerRun = 1000000;
// Positions saved by code 5.
inline constexpr int kPositionStackDepth = 4;
// Scale factors, coordinates and radii, in the character's units, stay
// within these magnitudes; an item that would pass them stops the character.
inline constexpr double kMaxMagnitude = 2147483648.0;          // 2^31
inline constexpr double kMinScale = 1.0 / 2147483648.0;        // 2^-31

inline std::int64_t RunItemBound(std::size_t fileSize) {
  std::int64_t perByte = static_cast<std::int64_t>(fileSize) * kItemsPerFileByte;
  return perByte > kMinItemsPerRun ? perByte : kMinItemsPerRun;
}

}  // namespace morlune
