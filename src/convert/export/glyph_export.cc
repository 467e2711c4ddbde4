// A compiled font's glyphs for the writers: ordered by character, drawn
// one at a time, with what their drawing loses told as it is drawn.
#include "convert/export/glyph_export.h"

#include <algorithm>
#include <cmath>

#include "convert/arc_math.h"

namespace morlune::convert {

bool GlyphTop(const GlyphView& glyph, double& top) {
  bool any = false;
  auto take = [&](Point p) {
    top = any ? std::max(top, p.y) : p.y;
    any = true;
  };
  for (const Path& path : glyph.paths) {
    for (const Segment& segment : path.segments) {
      if (const auto* line = std::get_if<LineSegment>(&segment)) {
        take(line->from);
        take(line->to);
      } else {
        const auto& arc = std::get<ArcSegment>(segment);
        for (const Point& p : FlattenArc(arc, 1e-3 * std::max(std::fabs(arc.axisX), std::fabs(arc.axisY)))) {
          take(p);
        }
      }
    }
  }
  return any;
}

std::vector<std::size_t> ByCharacter(const GlyphSource& font, LossReport& losses) {
  std::vector<std::size_t> order;
  for (std::size_t k = 0; k < font.Count(); ++k) {
    if (font.CodeAt(k).character == 0) {
      losses.Add(LossKind::kCodesDropped);
    } else {
      order.push_back(k);
    }
  }
  // Codes ascend, so among glyphs of one character the first kept is the
  // lowest code's.
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return font.CodeAt(a).character < font.CodeAt(b).character; });
  std::size_t kept = 0;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (kept > 0 && font.CodeAt(order[kept - 1]).character == font.CodeAt(order[k]).character) {
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    order[kept++] = order[k];
  }
  order.resize(kept);
  return order;
}

namespace {

// A font without a height of its own is measured by its capitals; failing
// those, by its tallest glyph.
double CapitalHeight(int height, GlyphSource& font) {
  if (height > 0) return height;
  LossReport ignored;
  for (char32_t capital : {U'H', U'E', U'A'}) {
    for (std::size_t k = 0; k < font.Count(); ++k) {
      double top = 0;
      if (font.CodeAt(k).character == capital && GlyphTop(font.Draw(k, ignored), top) && top > 0) return top;
    }
  }
  double tallest = 0;
  for (std::size_t k = 0; k < font.Count(); ++k) {
    double top = 0;
    if (GlyphTop(font.Draw(k, ignored), top)) tallest = std::max(tallest, top);
  }
  return tallest > 0 ? tallest : 1;
}

}  // namespace

ShapeGlyphs::ShapeGlyphs(Font font, const CodeMap& codes, const std::string& fallbackName)
    : font_(std::move(font)), drawer_(font_) {
  if (const Record* header = font_.Find(0)) name.assign(header->name.begin(), header->name.end());
  if (name.empty()) name = fallbackName;
  for (const Record& record : font_.records()) {
    if (record.code == 0 || font_.Find(record.code) != &record) continue;
    codes_.push_back({codes.CharacterOf(record.code).value_or(0), record.code});
  }
  std::sort(codes_.begin(), codes_.end(), [](const GlyphCode& a, const GlyphCode& b) { return a.code < b.code; });
  capHeight = CapitalHeight(font_.header().height, *this);
  depth = font_.header().depth;
}

void ShapeGlyphs::TellLosses(std::uint32_t code, bool cut, LossReport& losses) const {
  if (cut) losses.Add(LossKind::kDrawingStopped);
  const Record& record = *font_.Find(code);
  long long vertical = bridge::VerticalItems(record.data, font_.variant());
  if (vertical > 0) losses.Add(LossKind::kVerticalDropped, 0, vertical);
}

GlyphView ShapeGlyphs::Draw(std::size_t k, LossReport& losses) {
  bridge::DrawnGlyph drawn = drawer_.Draw(codes_[k].code);
  TellLosses(codes_[k].code, drawn.cut, losses);
  return {drawn.advance, drawn.paths};
}

Point ShapeGlyphs::DrawInto(std::size_t k, GeometrySink& sink, LossReport& losses) {
  bridge::DrawnGlyph drawn = drawer_.DrawInto(codes_[k].code, sink);
  TellLosses(codes_[k].code, drawn.cut, losses);
  return drawn.advance;
}

}  // namespace morlune::convert
