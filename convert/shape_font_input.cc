#include "convert/shape_font_input.h"

#include "convert/shape_bridge.h"

namespace morlune::convert {
namespace {

Point At(double x, double y) { return {x, y}; }

Segment SegmentOf(const bridge::DrawnPiece& piece) {
  if (!piece.arc) return LineSegment{At(piece.fromX, piece.fromY), At(piece.toX, piece.toY)};
  ArcSegment arc;
  arc.from = At(piece.fromX, piece.fromY);
  arc.to = At(piece.toX, piece.toY);
  arc.centre = At(piece.centreX, piece.centreY);
  arc.axisX = piece.axisX;
  arc.axisY = piece.axisY;
  arc.sweep = piece.sweep;
  return arc;
}

Point SegmentStart(const Segment& s) {
  return std::holds_alternative<LineSegment>(s) ? std::get<LineSegment>(s).from : std::get<ArcSegment>(s).from;
}
Point SegmentEnd(const Segment& s) {
  return std::holds_alternative<LineSegment>(s) ? std::get<LineSegment>(s).to : std::get<ArcSegment>(s).to;
}

// Pieces that follow on where the one before ends make one path.
std::vector<Path> PathsOf(const std::vector<bridge::DrawnPiece>& pieces) {
  std::vector<Path> paths;
  for (const bridge::DrawnPiece& piece : pieces) {
    Segment segment = SegmentOf(piece);
    Point start = SegmentStart(segment);
    if (paths.empty() || paths.back().segments.empty() ||
        SegmentEnd(paths.back().segments.back()).x != start.x ||
        SegmentEnd(paths.back().segments.back()).y != start.y) {
      paths.push_back(Path{start, {}});
    }
    paths.back().segments.push_back(segment);
  }
  return paths;
}

Variant VariantOf(int kind) {
  switch (kind) {
    case 0: return Variant::kShapes10;
    case 2: return Variant::kBigfont;
    case 3: return Variant::kUnifont;
    default: return Variant::kShapes11;
  }
}

int KindOf(Variant variant) {
  switch (variant) {
    case Variant::kShapes10: return 0;
    case Variant::kShapes11: return 1;
    case Variant::kBigfont: return 2;
    case Variant::kUnifont: return 3;
  }
  return 1;
}

Error SourceErrors(const std::vector<std::string>& problems) {
  Error error{ErrorKind::kSourceErrors, "the source text has errors", {}};
  for (const std::string& problem : problems) error.diagnostics.push_back({0, 0, true, problem});
  return error;
}

}  // namespace

Result<ShapeFont> OpenShapeFont(std::span<const Byte> bytes, bool isSourceText) {
  std::string compiled;
  const unsigned char* data = bytes.data();
  std::size_t size = bytes.size();
  if (isSourceText) {
    std::vector<std::string> problems;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!bridge::CompileSourceText(text, -1, compiled, problems)) return SourceErrors(problems);
    data = reinterpret_cast<const unsigned char*>(compiled.data());
    size = compiled.size();
  }
  bridge::DrawnFont drawn = bridge::DrawCompiledFont(data, size);
  if (!drawn.recognised) return Error{ErrorKind::kNotAFont, "not a compiled shape font", {}};
  ShapeFont font;
  font.variant = VariantOf(drawn.variant);
  font.height = drawn.height;
  font.depth = drawn.depth;
  font.name = drawn.name;
  for (const bridge::DrawnGlyph& drawnGlyph : drawn.glyphs) {
    DrawnShape shape;
    shape.glyph.code = drawnGlyph.code;
    shape.glyph.advance = At(drawnGlyph.advanceX, drawnGlyph.advanceY);
    shape.glyph.paths = PathsOf(drawnGlyph.pieces);
    shape.verticalItems = drawnGlyph.verticalItems;
    shape.drawingCut = drawnGlyph.warned;
    font.shapes.push_back(std::move(shape));
  }
  return font;
}

Result<std::vector<Byte>> CompileShapeText(std::string_view text, Variant variant) {
  std::string compiled;
  std::vector<std::string> problems;
  if (!bridge::CompileSourceText(text, KindOf(variant), compiled, problems)) return SourceErrors(problems);
  return std::vector<Byte>(compiled.begin(), compiled.end());
}

}  // namespace morlune::convert
