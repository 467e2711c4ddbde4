// One font's check from its bytes: compiled or source text, the structure,
// the glyphs, the coverage of a character set; its findings in one list.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <morlune/geometry.h>

#include "check/coverage.h"
#include "check/finding.h"

namespace morlune::check {

struct CheckOptions {
  std::optional<CharacterSet> coverage;
  std::string encoding;  // the code page of the fonts' codes, for coverage
  DrawLimits limits;     // the drawing's bounds
};

struct FontReport {
  std::string label;        // the path as given, or <stdin>
  std::string variant;      // shapes10, shapes11, bigfont, unifont; empty when not a font
  bool fromSource = false;  // checked as shape source text
  std::string error;        // not empty: the input could not be read, and nothing was checked
  std::vector<Finding> findings;
};

// Checks the bytes of one input. Findings that concern the whole font come
// first, then those of the source text by line, then those of records by
// code.
FontReport CheckFont(std::string label, std::vector<unsigned char> bytes, const CheckOptions& options);

}  // namespace morlune::check
