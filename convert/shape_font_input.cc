#include "convert/shape_font_input.h"

#include <morlune/font.h>

#include "convert/shape_bridge.h"

namespace morlune::convert {
namespace {

int KindOf(Variant variant) {
  switch (variant) {
    case Variant::kShapes10: return 0;
    case Variant::kShapes11: return 1;
    case Variant::kBigfont: return 2;
    case Variant::kUnifont: return 3;
  }
  return 1;
}

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
    DrawnShape shape;
    shape.drawingCut = !glyph->warnings.empty();
    shape.glyph = std::move(*glyph);
    shape.verticalItems = bridge::VerticalItems(record.data.data(), record.data.size(), KindOf(shapes.variant));
    shapes.shapes.push_back(std::move(shape));
  }
  return shapes;
}

Result<std::vector<Byte>> CompileShapeText(std::string_view text, Variant variant) {
  CompileOptions options;
  options.variant = variant;
  Result<std::vector<Byte>> compiled = Compile(text, options);
  if (!compiled) return WithPlaces(compiled.error());
  return compiled;
}

}  // namespace morlune::convert
