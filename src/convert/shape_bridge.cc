#include "convert/shape_bridge.h"

#include <cstring>

#include "api/font_state.h"
#include "drawing/draw_session.h"
#include "drawing/glyph_builder.h"
#include "drawing/item_split.h"
#include "grammar/shape_file_kind.h"

namespace morlune::convert::bridge {

long long VerticalItems(std::span<const Byte> data, Variant variant) {
  // No byte 14 anywhere, no such item: most records are passed at once.
  if (data.empty() || std::memchr(data.data(), 14, data.size()) == nullptr) return 0;
  long long count = 0;
  ItemReader reader(data.data(), data.size(), KindOfVariant(variant), nullptr);
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

namespace {

class ToPieces : public GeometrySink {
 public:
  explicit ToPieces(PieceSink& sink) : sink_(sink) {}
  void Line(Point from, Point to) override { sink_.Line(from, to); }
  void Arc(const ArcSegment& arc) override { sink_.Arc(arc); }

 private:
  PieceSink& sink_;
};

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

DrawnGlyph GlyphDrawer::DrawInto(std::uint32_t code, PieceSink& sink) {
  ToPieces pieces(sink);
  return DrawRecord(parts_->font, code, pieces);
}

}  // namespace morlune::convert::bridge
