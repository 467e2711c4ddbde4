// The bounds that keep the drawing of any font, however hostile, finite in
// time and memory. The subshape depth, the items of a character and the
// items of a run are the library's DrawLimits, which the tools take at their
// defaults; the rest are fixed.
#pragma once

#include <cstddef>
#include <cstdint>

#include <morlune/geometry.h>

namespace morlune {

// Positions saved by code 5.
inline constexpr int kPositionStackDepth = 4;
// Scale factors, coordinates and radii, in the character's units, stay
// within these magnitudes; an item that would pass them stops the character.
inline constexpr double kMaxMagnitude = 2147483648.0;          // 2^31
inline constexpr double kMinScale = 1.0 / 2147483648.0;        // 2^-31

// Items that a whole run may take: runItemsPerFontByte for each byte of the
// font file, and never fewer than runItemsAtLeast; none for limits below 0.
inline std::int64_t RunItemBound(std::size_t fileSize, const DrawLimits& limits) {
  constexpr std::int64_t kMost = INT64_MAX / 2;
  std::int64_t perByte = limits.runItemsPerFontByte < 0 ? 0 : limits.runItemsPerFontByte;
  std::int64_t size = static_cast<std::int64_t>(fileSize);
  std::int64_t total = perByte != 0 && size > kMost / perByte ? kMost : size * perByte;
  std::int64_t least = limits.runItemsAtLeast < 0 ? 0 : limits.runItemsAtLeast;
  return total > least ? total : least;
}

// The items that the rest of the run may take, and the limits it draws by.
// Once the run has taken its last item, nothing more is drawn.
struct RunBudget {
  RunBudget(std::size_t fileSize, const DrawLimits& drawLimits)
      : limits(drawLimits), total(RunItemBound(fileSize, drawLimits)), itemsLeft(total) {}
  DrawLimits limits;
  std::int64_t total;
  std::int64_t itemsLeft;
  bool spent = false;
};

}  // namespace morlune
