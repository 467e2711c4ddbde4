// A compiled font or shape source text, opened for export: the variant,
// the header's height and name, and each code's glyph as the pen draws it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <morlune/compile.h>
#include <morlune/font.h>
#include <morlune/geometry.h>
#include <morlune/result.h>

namespace morlune::convert {

struct DrawnShape {
  Glyph glyph;
};

struct ShapeFont {
  Variant variant = Variant::kShapes11;
  int height = 0;  // above the baseline; 0 where the font has no header
  int depth = 0;
  std::string name;
  std::vector<DrawnShape> shapes;  // the first record of each code, code 0 left out
};

// A compiled font, or source text (told apart by the signature at the
// head), compiled first; kSourceErrors carries its errors, each placed as
// "LINE:COLUMN: error: TEXT".
Result<Font> OpenCompiledFont(std::span<const Byte> bytes);
// The same, every glyph drawn.
Result<ShapeFont> OpenShapeFont(std::span<const Byte> bytes);

// How much of what a compiled font announces it holds: an index cut short
// leaves nothing to read; records the index announces past the file's end
// are lost to any export.
struct FontHolding {
  bool indexRead = true;
  std::size_t unreached = 0;  // records announced and never reached
  std::size_t glyphs = 0;     // records of a code other than 0
};
FontHolding HoldingOf(const Font& font);

// Source text compiled to a font's bytes (for the import's output); its
// diagnostics as the compiler gives them.
Result<std::vector<Byte>> CompileShapeText(std::string_view text, Variant variant);

}  // namespace morlune::convert
