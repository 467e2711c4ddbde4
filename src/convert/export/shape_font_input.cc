// The font an export starts from: compiled bytes opened as they are,
// source text compiled first, either way a font of the library.
#include "convert/export/shape_font_input.h"

#include <morlune/font.h>

#include "api/font_state.h"

namespace morlune::convert {
namespace {

// Source text's errors as "LINE:COLUMN: error: TEXT", as morlune-compile
// shows them.
Error WithPlaces(Error error) {
  for (Diagnostic& diagnostic : error.diagnostics) {
    diagnostic.message = std::to_string(diagnostic.line) + ":" + std::to_string(diagnostic.column) + ": " +
                         (diagnostic.isError ? "error: " : "warning: ") + diagnostic.message;
  }
  return error;
}

}  // namespace

Result<Font> OpenCompiledFont(std::span<const Byte> bytes) {
  Result<Font> font = Font::FromBytes(bytes);
  if (!font) return WithPlaces(font.error());
  return font;
}

Result<ShapeFont> OpenShapeFont(std::span<const Byte> bytes) {
  Result<Font> font = OpenCompiledFont(bytes);
  if (!font) return font.error();
  ShapeFont shapes;
  shapes.variant = font->variant();
  shapes.height = font->header().height;
  shapes.depth = font->header().depth;
  if (const Record* header = font->Find(0)) shapes.name.assign(header->name.begin(), header->name.end());
  for (const Record& record : font->records()) {
    if (record.code == 0 || font->Find(record.code) != &record) continue;
    Result<Glyph> glyph = font->GlyphOf(record.code);
    if (!glyph) continue;
    shapes.shapes.push_back({std::move(*glyph)});
  }
  return shapes;
}

FontHolding HoldingOf(const Font& font) {
  const FontWalk& walk = FontAccess::Of(font).lookup->walk;
  FontHolding holding;
  holding.indexRead = walk.head == HeadResult::kReady;
  holding.unreached = walk.unreached;
  for (const Record& record : font.records()) holding.glyphs += record.code != 0 ? 1 : 0;
  return holding;
}

Result<std::vector<Byte>> CompileShapeText(std::string_view text, Variant variant) {
  CompileOptions options;
  options.variant = variant;
  return Compile(text, options);
}

}  // namespace morlune::convert
