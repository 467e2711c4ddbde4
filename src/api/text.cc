// LayOutText: the glyphs of SetText gathered into one layout, each glyph's
// paths moved to its origin.
#include <morlune/text.h>

#include "api/text_setting.h"
#include "drawing/draw_warnings.h"
#include "drawing/glyph_bounds.h"
#include "drawing/text_codes.h"
#include "platform/code_page.h"

namespace morlune {
namespace {

Point Moved(Point p, Point by) { return {p.x + by.x, p.y + by.y}; }

class Gathered : public GlyphsInText, public WarningsAsData {
 public:
  explicit Gathered(TextLayout& layout) : layout_(layout) {}

  void Glyph(const GlyphInText& glyph) override {
    layout_.glyphs.push_back({glyph.code, glyph.fromBigfont, glyph.origin});
    for (const Path& path : glyph.paths) {
      Path& placed = layout_.paths.emplace_back();
      placed.start = Moved(path.start, glyph.origin);
      placed.segments.reserve(path.segments.size());
      for (const Segment& segment : path.segments) {
        if (const LineSegment* line = std::get_if<LineSegment>(&segment)) {
          placed.segments.emplace_back(LineSegment{Moved(line->from, glyph.origin), Moved(line->to, glyph.origin)});
        } else {
          ArcSegment arc = *std::get_if<ArcSegment>(&segment);
          arc.from = Moved(arc.from, glyph.origin);
          arc.to = Moved(arc.to, glyph.origin);
          arc.centre = Moved(arc.centre, glyph.origin);
          placed.segments.emplace_back(arc);
        }
      }
    }
  }
  void Missing(char32_t character) override { layout_.missing += character; }
  void Warned(const TextWarning& warning) override { layout_.warnings.push_back(warning); }

 private:
  TextLayout& layout_;
};

}  // namespace

bool KnowsEncoding(std::string_view name) {
  CodePageConverter codePage;
  return !name.empty() && codePage.Open(std::string(name));
}

bool IsUtf8Text(std::string_view text) {
  std::vector<char32_t> characters;
  return DecodeUtf8(text, characters);
}

Result<TextLayout> LayOutText(const TextStyle& style, std::string_view text, const DrawLimits& limits) {
  TextLayout layout;
  Gathered gathered(layout);
  Result<TextEnd> end = SetText(style, text, limits, gathered, gathered);
  if (!end) return end.error();
  layout.advance = end->advance;
  layout.bounds = BoundsOf(layout.paths);
  return layout;
}

}  // namespace morlune
