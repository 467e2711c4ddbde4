#include "convert/glyph_export.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "convert/arc_math.h"

namespace morlune::convert {

bool GlyphTop(const Glyph& glyph, double& top) {
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

std::vector<const CharacterGlyph*> ByCharacter(const GlyphFont& font, LossReport& losses) {
  std::map<char32_t, const CharacterGlyph*> kept;
  for (const CharacterGlyph& glyph : font.glyphs) {
    if (glyph.character == 0 || !kept.emplace(glyph.character, &glyph).second) losses.Add(LossKind::kCodesDropped);
  }
  std::vector<const CharacterGlyph*> glyphs;
  for (const auto& [character, glyph] : kept) glyphs.push_back(glyph);
  return glyphs;
}

namespace {

// A font without a height of its own is measured by its capitals; failing
// those, by its tallest glyph.
double CapitalHeight(const ShapeFont& shapes, const std::vector<CharacterGlyph>& glyphs) {
  if (shapes.height > 0) return shapes.height;
  for (char32_t capital : {U'H', U'E', U'A'}) {
    for (const CharacterGlyph& glyph : glyphs) {
      double top = 0;
      if (glyph.character == capital && GlyphTop(glyph.glyph, top) && top > 0) return top;
    }
  }
  double tallest = 0;
  for (const CharacterGlyph& glyph : glyphs) {
    double top = 0;
    if (GlyphTop(glyph.glyph, top)) tallest = std::max(tallest, top);
  }
  return tallest > 0 ? tallest : 1;
}

}  // namespace

GlyphFont GlyphsOfShapes(const ShapeFont& shapes, const CodeMap& codes, const std::string& name, LossReport& losses) {
  GlyphFont font;
  font.name = !shapes.name.empty() ? shapes.name : name;
  for (const DrawnShape& shape : shapes.shapes) {
    if (shape.verticalItems > 0) losses.Add(LossKind::kVerticalDropped, 0, shape.verticalItems);
    if (shape.drawingCut) losses.Add(LossKind::kDrawingStopped);
    font.glyphs.push_back(CharacterGlyph{codes.CharacterOf(shape.glyph.code).value_or(0), shape.glyph.code, shape.glyph});
  }
  std::sort(font.glyphs.begin(), font.glyphs.end(),
            [](const CharacterGlyph& a, const CharacterGlyph& b) { return a.code < b.code; });
  font.capHeight = CapitalHeight(shapes, font.glyphs);
  font.depth = shapes.depth;
  return font;
}

}  // namespace morlune::convert
