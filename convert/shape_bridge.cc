#include "convert/shape_bridge.h"

#include "api/font_state.h"
#include "drawing/draw_session.h"
#include "drawing/glyph_builder.h"
#include "drawing/item_split.h"

namespace morlune::convert::bridge {

long long VerticalItems(const unsigned char* data, std::size_t size, int variant) {
  long long count = 0;
  ItemReader reader(data, size, static_cast<ShapeFileKind>(variant), nullptr);
  ItemSpan span;
  while (reader.Next(span) && span.whole) {
    if (data[span.start] == 14) ++count;
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

DrawnGlyph GlyphDrawer::Draw(std::uint32_t code) {
  parts_->builder.Clear();
  DrawnGlyph drawn;
  int record = code <= 0xFFFF ? parts_->font.Lookup().FirstRecord(static_cast<std::uint16_t>(code)) : -1;
  if (record < 0) return drawn;
  DrawSession session(parts_->font, nullptr, DrawLimits{});
  drawn.advance = session.Draw(record, parts_->builder);
  drawn.paths = parts_->builder.Paths();
  drawn.cut = !session.Warnings().Entries().empty() || session.SpentTheRun();
  return drawn;
}

}  // namespace morlune::convert::bridge
