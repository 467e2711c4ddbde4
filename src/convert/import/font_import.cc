// The import's steps: codes for the glyphs, the search for the coarsest
// grid within the tolerance, and the text written on it, compiled and
// measured.
#include "convert/import/font_import.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <morlune/compile.h>

#include "convert/arc_math.h"
#include "convert/code_map.h"
#include "convert/import/grid_glyph.h"
#include "convert/import/import_measure.h"
#include "convert/loss_report.h"
#include "convert/shape_bridge.h"
#include "convert/export/shape_font_input.h"
#include "convert/utf8_text.h"
#include "platform/text_output.h"
#include "source/record_text.h"
#include "source/source_writer.h"

namespace morlune::convert {
namespace {

constexpr int kLargestGrid = 255;  // the header's height is one byte
// A glyph reaching farther than this many capital heights from its origin
// is not a glyph of text.
constexpr double kFarthestInCaps = 64;
constexpr std::size_t kLargestRecordData = 32767;

struct CodedGlyph {
  std::uint32_t code = 0;
  const StrokeGlyph* glyph = nullptr;
};

Error Refused(ErrorKind kind, std::string message) { return Error{kind, std::move(message), {}}; }

// The variant the codes need, and each glyph's code in it.
Result<std::vector<CodedGlyph>> CodesOf(const StrokeFont& font, const ImportOptions& options, Variant& variant,
                                        long long& leftOut) {
  std::vector<Variant> tried;
  if (options.variant) {
    tried = {*options.variant};
  } else {
    tried = {Variant::kShapes11, Variant::kUnifont};
  }
  for (std::size_t t = 0; t < tried.size(); ++t) {
    std::string problem;
    std::optional<CodeMap> map = CodeMap::For(tried[t], tried[t] == Variant::kUnifont ? "" : options.encoding, problem);
    if (!map) return Refused(ErrorKind::kEncoding, problem);
    std::vector<CodedGlyph> coded;
    std::set<std::uint32_t> taken;
    leftOut = 0;
    bool bytes = font.byteCoded && tried[t] == Variant::kShapes11 && options.encoding.empty();
    for (const StrokeGlyph& glyph : font.glyphs) {
      std::optional<std::uint32_t> code = map->CodeOf(glyph.character);
      if (bytes) code = glyph.character >= 1 && glyph.character <= 0xFF ? std::optional<std::uint32_t>(glyph.character) : std::nullopt;
      if (!code || !taken.insert(*code).second) {
        ++leftOut;
        continue;
      }
      coded.push_back({*code, &glyph});
    }
    bool last = t + 1 == tried.size();
    if (leftOut == 0 || last) {
      variant = tried[t];
      std::sort(coded.begin(), coded.end(), [](const CodedGlyph& a, const CodedGlyph& b) { return a.code < b.code; });
      return coded;
    }
  }
  return Refused(ErrorKind::kBadArgument, "no variant");
}

// The farthest the glyph's ink or advance reaches along either axis. An
// arc counts with its whole sweep: one of great bulge on a short chord
// swings far out on a huge circle.
double Extent(const StrokeGlyph& glyph) {
  double farthest = 0;
  for (const Stroke& stroke : glyph.strokes) {
    for (std::size_t k = 0; k < stroke.vertices.size(); ++k) {
      const StrokeVertex& v = stroke.vertices[k];
      if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.bulge)) {
        return std::numeric_limits<double>::infinity();
      }
      farthest = std::max({farthest, std::fabs(v.x), std::fabs(v.y)});
      if (k == 0 || v.bulge == 0) continue;
      // The arc turned a quarter at a time, so that its rightmost point
      // gives each side in turn (a turn keeps the bulge's sense).
      Point from{stroke.vertices[k - 1].x, stroke.vertices[k - 1].y}, to{v.x, v.y};
      for (int quarter = 0; quarter < 4; ++quarter) {
        farthest = std::max(farthest, std::fabs(ArcRightmost(ArcOfBulge(from, to, v.bulge))));
        from = {-from.y, from.x};
        to = {-to.y, to.x};
      }
    }
  }
  if (!std::isfinite(glyph.advance)) return std::numeric_limits<double>::infinity();
  return std::max(farthest, std::fabs(glyph.advance));
}

// The grid as asked, or the input's own where it has one; 0 where the
// search chooses it.
int FixedGrid(const StrokeFont& font, const ImportOptions& options) {
  if (options.heightUnits > 0) return options.heightUnits;
  if (font.onOwnGrid && font.capHeight >= 1 && font.capHeight <= kLargestGrid &&
      font.capHeight == std::floor(font.capHeight)) {
    return static_cast<int>(font.capHeight);
  }
  return 0;
}

// Every glyph placed on the grid of `units`, in order; with mustFit, stops
// at the first that strays too far by its model and names it in `failed`.
bool PlaceAll(const StrokeFont& font, const std::vector<CodedGlyph>& glyphs, int units, double tolerance,
              bool mustFit, std::vector<GridGlyph>& placed, std::size_t& failed) {
  double scale = units / font.capHeight;
  double gridTolerance = tolerance * scale;
  placed.clear();
  for (std::size_t k = 0; k < glyphs.size(); ++k) {
    placed.push_back(PlaceOnGrid(*glyphs[k].glyph, scale, gridTolerance));
    if (mustFit && placed.back().largestError > gridTolerance) {
      failed = k;
      return false;
    }
  }
  return true;
}

// The smallest grid from `from` up whose model error stays within the
// tolerance (the vertices' rounding alone rules most grids out before any
// glyph is placed), every glyph placed on it; else the largest grid, placed
// whatever its model says. `hardest` is the glyph that ruled the last grid
// out when placed: it is placed first on the next, and most grids that
// the rounding leaves fall to it without the others being placed.
int NextGrid(const StrokeFont& font, const std::vector<CodedGlyph>& glyphs, int from, double tolerance,
             VertexRounding& rounding, std::vector<GridGlyph>& placed, std::size_t& hardest) {
  for (int units = from; units < kLargestGrid; ++units) {
    double scale = units / font.capHeight;
    double gridTolerance = tolerance * scale;
    if (!rounding.Within(scale, gridTolerance)) continue;
    GridGlyph first = PlaceOnGrid(*glyphs[hardest].glyph, scale, gridTolerance);
    if (first.largestError > gridTolerance) continue;
    if (PlaceAll(font, glyphs, units, tolerance, true, placed, hardest)) return units;
  }
  PlaceAll(font, glyphs, kLargestGrid, tolerance, false, placed, hardest);
  return kLargestGrid;
}

// The escape ranges of a bigfont: the runs of lead bytes of its two-byte
// codes.
std::vector<EscapeRangeEntry> EscapeRanges(const std::vector<CodedGlyph>& glyphs) {
  std::set<std::uint16_t> leads;
  for (const CodedGlyph& g : glyphs) {
    if (g.code > 0xFF) leads.insert(static_cast<std::uint16_t>(g.code >> 8));
  }
  std::vector<EscapeRangeEntry> ranges;
  for (std::uint16_t lead : leads) {
    if (!ranges.empty() && ranges.back().last + 1 == lead) {
      ranges.back().last = lead;
    } else {
      ranges.push_back({lead, lead});
    }
  }
  return ranges;
}

// A name stays on its header line and within the compiler's limits.
std::string HeaderName(const std::string& name) {
  std::string kept;
  for (char c : name) {
    if (c == '\n' || c == '\r' || c == '\0') continue;
    if (kept.size() >= static_cast<std::size_t>(kMaxNameLength)) break;
    kept += c;
  }
  return kept;
}

// The font-header lines at the head of the text, each written whole
// however long the name: the "*BIGFONT" line of a bigfont, the name line
// and the values, the grid and the depth as the unsigned bytes they are.
void WriteFontHeader(SourceWriter& writer, Variant kind, const std::string& name, int units, int depth,
                     const std::vector<CodedGlyph>& coded) {
  if (kind == Variant::kBigfont) {
    WriteBigfontLine(writer, static_cast<long>(coded.size()) + 1, EscapeRanges(coded));
  }
  bool unifont = kind == Variant::kUnifont;
  ShortText nameLine{writer.output.Reserve(kMaxNameLineLength + ShortText::kOverhang)};
  // The record's count: its values and the 0 that ends them.
  AppendNameLine(nameLine, kind, unifont ? 6 : 4, name);
  writer.output.Commit(nameLine.at);
  // Above and below the baseline, then the modes (and a unifont's
  // encoding and embedding).
  const int values[5] = {units, depth, 0, 0, 0};
  ShortText valuesLine{writer.output.Reserve(kMaxItemPiece + ShortText::kOverhang)};
  AppendValuesLine(valuesLine, values, unifont ? 5 : 3, OperandKind::kUnsigned);
  writer.output.Commit(valuesLine.at);
}

// Each glyph of the written font drawn when the measure asks for it, into
// paths kept from one to the next. The font is opened at the first glyph
// drawn: a font whose glyphs all lie on the grid draws none.
class WrittenFontDrawing : public WrittenDrawing {
 public:
  explicit WrittenFontDrawing(std::span<const Byte> bytes) : bytes_(bytes) {}
  std::optional<std::span<const Path>> Draw(std::uint32_t code) override {
    if (!Open()) return std::nullopt;
    // Code 0 is the font's header, not a glyph.
    if (code == 0 || font_->Find(code) == nullptr) return std::nullopt;
    return drawer_->Draw(code).paths;
  }
  // Why the font would not open, once a glyph was asked for.
  const std::optional<Error>& Failed() const { return failed_; }

 private:
  bool Open() {
    if (drawer_) return true;
    if (failed_) return false;
    Result<Font> opened = Font::FromBytes(bytes_);
    if (!opened) {
      failed_ = opened.error();
      return false;
    }
    font_.emplace(std::move(*opened));
    drawer_.emplace(*font_);
    return true;
  }

  std::span<const Byte> bytes_;
  std::optional<Font> font_;
  std::optional<bridge::GlyphDrawer> drawer_;
  std::optional<Error> failed_;
};

// The font written on the grid of `units` from its placed glyphs,
// compiled, drawn and held against what was read: imported's text,
// compiled bytes, grid and largest error. Returns whether that error stays
// within `enough` grid units (the measure stops at the first glyph past).
Result<bool> WriteOnGrid(const StrokeFont& font, const std::vector<CodedGlyph>& coded,
                         const std::vector<GridGlyph>& placed, int units, double enough, ImportedFont& imported) {
  imported.heightUnits = units;
  double scale = units / font.capHeight;
  double depth = 0;
  for (const CodedGlyph& g : coded) {
    for (const Stroke& stroke : g.glyph->strokes) {
      for (const StrokeVertex& v : stroke.vertices) depth = std::max(depth, -v.y * scale);
    }
  }
  int depthUnits = std::clamp(static_cast<int>(std::ceil(depth - 1e-9)), 0, 255);

  std::string& text = imported.sourceText;
  text.clear();
  TextOutput output;
  output.AttachCapture(&text);
  SourceWriter writer(output);
  WriteFontHeader(writer, imported.variant, HeaderName(font.name), units, depthUnits, coded);
  // Each glyph's record after a blank line: its header line, with the
  // count of its items' bytes, then the items.
  for (std::size_t k = 0; k < coded.size(); ++k) {
    const CodedGlyph& g = coded[k];
    const ShapeItems& items = placed[k].items;
    std::size_t size = items.ByteCount();
    if (size > kLargestRecordData) {
      return Refused(ErrorKind::kNotAFont, "the glyph of " + CharacterName(g.glyph->character) + " needs " +
                                               std::to_string(size) + " bytes; a shape holds at most 32767");
    }
    BreakLine(writer);
    WriteShapeHeaderLine(writer, static_cast<std::uint16_t>(g.code), static_cast<int>(size), "", false);
    items.WriteText(writer);
  }
  output.Flush();

  Result<std::vector<Byte>> compiled = CompileShapeText(text, imported.variant);
  if (!compiled) return compiled.error();
  imported.compiled = std::move(*compiled);

  // What was written, drawn and held against what was read.
  WrittenFontDrawing drawing(imported.compiled);
  std::vector<WrittenGlyph> glyphs;
  glyphs.reserve(coded.size());
  for (std::size_t k = 0; k < coded.size(); ++k) glyphs.push_back({coded[k].glyph, &placed[k], coded[k].code});
  WrittenError largest = LargestWrittenError(glyphs, scale, drawing, enough);
  if (drawing.Failed()) return *drawing.Failed();
  imported.largestError = largest.distance / scale;
  imported.largestErrorCharacter = largest.glyph != nullptr ? largest.glyph->character : 0;
  // What lies below the arithmetic's own rounding is no error.
  if (imported.largestError < 1e-9 * font.capHeight) imported.largestError = 0;
  return largest.distance <= enough;
}

}  // namespace

Result<ImportedFont> ImportStrokeFont(const StrokeFont& font, const ImportOptions& options) {
  if (!(font.capHeight > 0) || !std::isfinite(font.capHeight)) {
    return Refused(ErrorKind::kNotAFont, "the font has no capital height to scale by");
  }
  ImportedFont imported;
  long long leftOut = 0;
  Result<std::vector<CodedGlyph>> coded = CodesOf(font, options, imported.variant, leftOut);
  if (!coded) return coded.error();
  imported.charactersLeftOut = leftOut;
  imported.glyphs = static_cast<long long>(coded->size());
  for (const CodedGlyph& g : *coded) {
    if (Extent(*g.glyph) > kFarthestInCaps * font.capHeight) {
      return Refused(ErrorKind::kNotAFont, "the glyph of " + CharacterName(g.glyph->character) +
                                               " reaches farther than 64 capital heights from its origin");
    }
  }
  double tolerance = options.tolerancePerCap ? options.tolerance * font.capHeight : options.tolerance;
  imported.tolerance = tolerance;
  std::vector<GridGlyph> placed;
  std::size_t hardest = 0;
  if (int fixed = FixedGrid(font, options); fixed > 0 || coded->empty()) {
    // Written as asked, whatever the drawing measures: the caller tells.
    int units = fixed > 0 ? fixed : 1;
    PlaceAll(font, *coded, units, tolerance, false, placed, hardest);
    Result<bool> written = WriteOnGrid(font, *coded, placed, units, HUGE_VAL, imported);
    if (!written) return written.error();
    return imported;
  }
  // A grid that the model takes is still refused where its drawing strays
  // past the tolerance (the model can miss what a cut move adds to a
  // rounded end): the search goes on from the next finer one. Only the
  // last grid is measured whole whatever it finds, for the refusal's
  // figure.
  VertexRounding rounding;
  for (const CodedGlyph& g : *coded) rounding.Add(*g.glyph);
  for (int from = 1;;) {
    int units = NextGrid(font, *coded, from, tolerance, rounding, placed, hardest);
    double enough = units == kLargestGrid ? HUGE_VAL : tolerance * (units / font.capHeight);
    Result<bool> within = WriteOnGrid(font, *coded, placed, units, enough, imported);
    if (!within) return within.error();
    if (*within && imported.largestError <= tolerance) return imported;
    if (units == kLargestGrid) {
      return Refused(ErrorKind::kNotAFont,
                     "no grid up to 255 units holds every stroke within the tolerance " + AmountText(tolerance) +
                         " (largest error " + AmountText(imported.largestError) + ", the glyph of " +
                         CharacterName(imported.largestErrorCharacter) +
                         "); --height-units 255 takes that grid anyway");
    }
    from = units + 1;
  }
}

}  // namespace morlune::convert
