// The converter's way into the drawing: code 14 counted by the item
// split, glyphs drawn by a session of their own.
#include "convert/shape_bridge.h"

#include <cstring>
#include <morlune/compile.h>

#include "api/font_state.h"
#include "drawing/draw_session.h"
#include "drawing/glyph_builder.h"
#include "drawing/item_split.h"

namespace morlune::convert::bridge {

long long VerticalItems(std::span<const Byte> data, Variant variant) {
  // No byte 14 anywhere, no such item: most records are passed at once.
  if (data.empty() || std::memchr(data.data(), kCodeVerticalOnly, data.size()) == nullptr) return 0;
  long long count = 0;
  ItemReader reader(data.data(), data.size(), variant, nullptr);
  ItemSpan span;
  while (reader.Next(span) && span.whole) {
    if (data[span.start] == kCodeVerticalOnly) ++count;
  }
  return count;
}

struct GlyphDrawer::Parts {
  explicit Parts(const FontLookup& lookup) : font(lookup) {}
  DrawingFont font;
  GlyphBuilder builder;
};

GlyphDrawer::GlyphDrawer(const Font& font) : parts_(std::make_unique<Parts>(*FontAccess::Of(font).lookup)) {}

GlyphDrawer::~GlyphDrawer() = default;

namespace {

// One glyph's run, as Font::GlyphOf makes it.
DrawnGlyph DrawRecord(DrawingFont& font, std::uint32_t code, GeometrySink& sink) {
  DrawnGlyph drawn;
  int record = code <= 0xFFFF ? font.Lookup().FirstRecord(static_cast<std::uint16_t>(code)) : -1;
  if (record < 0) return drawn;
  DrawSession session(font, nullptr, DrawLimits{});
  drawn.advance = session.Draw(record, sink);
  drawn.cut = !session.Warnings().Entries().empty() || session.SpentTheRun();
  return drawn;
}

}  // namespace

DrawnGlyph GlyphDrawer::Draw(std::uint32_t code) {
  parts_->builder.Clear();
  DrawnGlyph drawn = DrawRecord(parts_->font, code, parts_->builder);
  drawn.paths = parts_->builder.Paths();
  return drawn;
}

DrawnGlyph GlyphDrawer::DrawInto(std::uint32_t code, GeometrySink& sink) {
  return DrawRecord(parts_->font, code, sink);
}

}  // namespace morlune::convert::bridge
