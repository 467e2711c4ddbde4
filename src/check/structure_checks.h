// The checks that need only a compiled font's bytes: its header and index,
// the walk of its records as the decompiler walks them, the font-header
// record, names, and each record's items by the item grammar.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "check/finding.h"

namespace morlune::check {

// What the later passes (the glyphs, coverage) take from the walk.
struct FontFacts {
  bool recognised = false;  // a compiled font's signature
  bool readable = false;    // its header and index could be read
  int variant = -1;         // the Variant
  bool hasHeader = false;   // a font-header record was met
  int height = 0;           // its first byte (0 without one)
  int depth = 0;            // its second byte
  int modes = 0;            // its third byte: 2 with vertical forms
  // The codes that drawing and text reach, in walk order: the first record
  // of each code, the font-header record left out.
  std::vector<std::uint16_t> drawnCodes;
  // A bigfont's escape ranges (first, last).
  std::vector<std::pair<std::uint16_t, std::uint16_t>> escapeRanges;
};

// Appends the findings of the container, the records and their items.
FontFacts CheckStructure(std::span<const unsigned char> font, std::vector<Finding>& findings);

}  // namespace morlune::check
