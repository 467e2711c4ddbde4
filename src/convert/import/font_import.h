// An interchange font into shape source text and a compiled font: every
// stroke placed on a grid of whole font units, written in the shortest
// items that stay within the tolerance, and drawn again to measure what
// was written.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <morlune/compile.h>
#include <morlune/result.h>

#include "convert/stroke_font.h"

namespace morlune::convert {

struct ImportOptions {
  int heightUnits = 0;           // font units per capital height; 0: the smallest that keeps the tolerance
  double tolerance = 0.01;       // in the input's units, or a share of the capital height
  bool tolerancePerCap = true;
  std::optional<Variant> variant;  // unset: shapes 1.1 where every code fits a byte, else unifont
  std::string encoding;            // the code page of a shapes font's or a bigfont's codes
};

struct ImportedFont {
  std::string sourceText;
  std::vector<Byte> compiled;
  Variant variant = Variant::kShapes11;
  int heightUnits = 0;
  double tolerance = 0;     // in the input's units
  double largestError = 0;  // measured on the drawing of the compiled font, in the input's units
  char32_t largestErrorCharacter = 0;  // the glyph that strays that far
  long long glyphs = 0;
  long long charactersLeftOut = 0;  // characters the variant's codes cannot hold
};

Result<ImportedFont> ImportStrokeFont(const StrokeFont& font, const ImportOptions& options);

}  // namespace morlune::convert
