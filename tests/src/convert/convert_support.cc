#include "tests/src/convert/convert_support.h"

#include <cmath>

#include "convert/code_map.h"
#include "convert/export/glyph_export.h"
#include "convert/jhf/jhf_writer.h"
#include "convert/lff/lff_writer.h"
#include "convert/svg/svg_font_writer.h"
#include "convert/import/stroke_distance.h"
#include "tests/support/captured_text.h"
#include "tests/support/process_run.h"

namespace morlune::convert::testing {

using morlune::testing::Captured;

std::vector<std::string> ExportTestFonts() {
  return {kSourceDir + "examples/strokes_shapes10.kqx", kSourceDir + "examples/strokes_shapes11.kqx",
          kSourceDir + "examples/strokes_bigfont.kqx", kSourceDir + "examples/strokes_unifont.kqx",
          kSourceDir + "tests/src/convert/fonts/arcs_frames.kqs"};
}

GlyphFont GlyphsOfFile(const std::string& path, LossReport& losses) {
  std::string bytes = morlune::testing::ReadFileBytes(path);
  Result<Font> font = OpenCompiledFont(std::span(reinterpret_cast<const Byte*>(bytes.data()), bytes.size()));
  if (!font) return {};
  std::string problem;
  std::optional<CodeMap> codes =
      CodeMap::For(font->variant(), font->variant() == Variant::kBigfont ? "CP932" : "", problem);
  ShapeGlyphs shapes(std::move(*font), *codes, "test");
  GlyphFont held;
  held.name = shapes.name;
  held.capHeight = shapes.capHeight;
  held.depth = shapes.depth;
  for (std::size_t k = 0; k < shapes.Count(); ++k) {
    GlyphView drawn = shapes.Draw(k, losses);
    Glyph glyph{shapes.CodeAt(k).code, drawn.advance, {drawn.paths.begin(), drawn.paths.end()}, {}, 0};
    held.glyphs.emplace_back(shapes.CodeAt(k).character, shapes.CodeAt(k).code, std::move(glyph));
  }
  return held;
}

std::string JhfText(GlyphSource& font, LossReport& losses) {
  return Captured([&](TextOutput& out) { WriteJhf(font, losses, out); });
}

std::string LffText(GlyphSource& font, LossReport& losses) {
  return Captured([&](TextOutput& out) { WriteLff(font, losses, out); });
}

std::string SvgFontText(GlyphSource& font, const std::string& baseName, LossReport& losses) {
  return Captured([&](TextOutput& out) { WriteSvgFont(font, baseName, losses, out); });
}

Glyph LinesGlyph(std::uint32_t code, Point advance, std::vector<std::vector<Point>> polylines) {
  Glyph glyph;
  glyph.code = code;
  glyph.advance = advance;
  for (const auto& line : polylines) {
    Path path{line.front(), {}};
    for (std::size_t k = 1; k < line.size(); ++k) path.segments.push_back(LineSegment{line[k - 1], line[k]});
    glyph.paths.push_back(std::move(path));
  }
  return glyph;
}

Glyph ArcGlyph(std::uint32_t code, Point advance, const ArcSegment& arc) {
  Glyph glyph;
  glyph.code = code;
  glyph.advance = advance;
  glyph.paths.push_back(Path{arc.from, {arc}});
  return glyph;
}

VertexRows Vertices(const std::vector<Stroke>& strokes) {
  auto rounded = [](double v) { return std::round(v * 1e9) / 1e9; };
  VertexRows lines;
  for (const Stroke& stroke : strokes) {
    auto& line = lines.emplace_back();
    for (const StrokeVertex& v : stroke.vertices) line.push_back({rounded(v.x), rounded(v.y), rounded(v.bulge)});
  }
  return lines;
}

double Distance(const std::vector<std::vector<Point>>& a, const std::vector<std::vector<Point>>& b) {
  return PolylineDistance(a, b, 0.01);
}

std::vector<std::vector<Point>> Polylines(const Glyph& glyph, double scale, double dx, double dy) {
  std::vector<std::vector<Point>> lines = PathPolylines(glyph.paths, 1e-6);
  for (auto& line : lines) {
    for (Point& p : line) p = {p.x * scale + dx, p.y * scale + dy};
  }
  return lines;
}

}  // namespace morlune::convert::testing
