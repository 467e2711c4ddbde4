#include "convert/shape_bridge.h"

#include <vector>

#include "compiler/compile_source.h"
#include "drawing/character_drawer.h"
#include "drawing/draw_limits.h"
#include "drawing/drawing_font.h"
#include "drawing/item_split.h"
#include "fontfile/record_walk.h"
#include "fontfile/signature.h"
#include "grammar/item_grammar.h"
#include "platform/byte_input.h"

namespace morlune::convert::bridge {
namespace {

class PieceSink : public GeometrySink {
 public:
  explicit PieceSink(std::vector<DrawnPiece>& pieces) : pieces_(pieces) {}
  void Line(Point from, Point to) override {
    DrawnPiece piece;
    piece.fromX = from.x, piece.fromY = from.y, piece.toX = to.x, piece.toY = to.y;
    pieces_.push_back(piece);
  }
  void Arc(const ArcPiece& arc) override {
    DrawnPiece piece;
    piece.arc = true;
    piece.fromX = arc.from.x, piece.fromY = arc.from.y, piece.toX = arc.to.x, piece.toY = arc.to.y;
    piece.centreX = arc.centre.x, piece.centreY = arc.centre.y;
    piece.axisX = arc.axisX, piece.axisY = arc.axisY, piece.sweep = arc.sweep;
    pieces_.push_back(piece);
  }

 private:
  std::vector<DrawnPiece>& pieces_;
};

long long VerticalItems(const unsigned char* spec, std::size_t size, ShapeFileKind kind) {
  long long count = 0;
  ItemReader reader(spec, size, kind, nullptr);
  ItemSpan span;
  while (reader.Next(span)) {
    if (!span.whole) break;
    if (spec[span.start] == 14) ++count;
  }
  return count;
}

}  // namespace

DrawnFont DrawCompiledFont(const unsigned char* data, std::size_t size) {
  DrawnFont result;
  ByteInput input;
  input.AttachMemory(data, size);
  ShapeFileKind kind = IdentifyShapeFile(input);
  if (kind == ShapeFileKind::kUnknown) return result;
  result.recognised = true;
  result.variant = static_cast<int>(kind);
  FontWalk walk = WalkFontRecords(data, size, static_cast<std::size_t>(input.Tell()), kind);
  DrawingFont font(data, size, kind, std::move(walk));
  result.height = font.Height();
  result.depth = font.Depth();
  for (int record = 0; record < font.RecordCount(); ++record) {
    if (font.Code(record) == 0) {
      if (result.name.empty()) result.name = std::string(font.Name(record));
    }
  }
  RunBudget budget(RunItemBound(font.FileSize()));
  CharacterDrawer drawer(font, budget);
  for (int record = 0; record < font.RecordCount(); ++record) {
    std::uint16_t code = font.Code(record);
    if (code == 0 || font.FindRecord(code) != record) continue;
    DrawnGlyph glyph;
    glyph.code = code;
    PieceSink sink(glyph.pieces);
    Point advance = drawer.Draw(record, sink);
    glyph.advanceX = advance.x;
    glyph.advanceY = advance.y;
    glyph.warned = !drawer.Warnings().Empty() || drawer.SpentTheRun();
    glyph.verticalItems = VerticalItems(font.Spec(record), font.SpecSize(record), kind);
    result.glyphs.push_back(std::move(glyph));
  }
  return result;
}

bool CompileSourceText(std::string_view text, int variant, std::string& font, std::vector<std::string>& problems) {
  morlune::CompileOptions options;
  if (variant >= 0) options.variant = static_cast<ShapeFileKind>(variant);
  Diagnostics diagnostics;
  std::optional<std::string> bytes = CompileSource(text, options, diagnostics);
  for (const Diagnostic& diagnostic : diagnostics.Kept()) {
    if (!diagnostic.isError) continue;
    problems.push_back(std::to_string(diagnostic.place.line) + ":" + std::to_string(diagnostic.place.column) +
                       ": error: " + diagnostic.text);
  }
  if (!bytes) return false;
  font = std::move(*bytes);
  return true;
}

}  // namespace morlune::convert::bridge
