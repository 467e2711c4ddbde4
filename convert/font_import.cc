#include "convert/font_import.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <set>

#include "convert/code_map.h"
#include "convert/grid_glyph.h"
#include "convert/import_measure.h"
#include "convert/shape_font_input.h"
#include "convert/utf8_text.h"

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

std::string CodeHex(std::uint32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "0%04X", static_cast<unsigned>(code));
  return text;
}

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

double Extent(const StrokeGlyph& glyph) {
  double farthest = 0;
  for (const Stroke& stroke : glyph.strokes) {
    for (const StrokeVertex& v : stroke.vertices) {
      if (!std::isfinite(v.x) || !std::isfinite(v.y)) return std::numeric_limits<double>::infinity();
      farthest = std::max({farthest, std::fabs(v.x), std::fabs(v.y)});
    }
  }
  if (!std::isfinite(glyph.advance)) return std::numeric_limits<double>::infinity();
  return std::max(farthest, std::fabs(glyph.advance));
}

// The grid: as asked, the input's own where it has one, else the smallest
// whose model error stays within the tolerance (the vertices' rounding
// alone rules most grids out before any glyph is placed). Every glyph is
// placed on it, in `placed`.
int ChooseGrid(const StrokeFont& font, const std::vector<CodedGlyph>& glyphs, const ImportOptions& options,
               double tolerance, std::vector<GridGlyph>& placed) {
  auto placeAll = [&](int units, bool mustFit) {
    double scale = units / font.capHeight;
    double gridTolerance = tolerance * scale;
    placed.clear();
    for (const CodedGlyph& g : glyphs) {
      placed.push_back(PlaceOnGrid(*g.glyph, scale, gridTolerance));
      if (mustFit && placed.back().largestError > gridTolerance) return false;
    }
    return true;
  };
  int fixed = 0;
  if (options.heightUnits > 0) {
    fixed = options.heightUnits;
  } else if (font.onOwnGrid && font.capHeight >= 1 && font.capHeight <= kLargestGrid &&
             font.capHeight == std::floor(font.capHeight)) {
    fixed = static_cast<int>(font.capHeight);
  }
  if (fixed > 0) {
    placeAll(fixed, false);
    return fixed;
  }
  for (int units = 1; units < kLargestGrid; ++units) {
    double scale = units / font.capHeight;
    double gridTolerance = tolerance * scale;
    bool fits = std::all_of(glyphs.begin(), glyphs.end(), [&](const CodedGlyph& g) {
      return VertexRounding(*g.glyph, scale) <= gridTolerance;
    });
    if (fits && placeAll(units, true)) return units;
  }
  placeAll(kLargestGrid, false);
  return kLargestGrid;
}

// "*BIGFONT N,R,F1,L1,..." from the lead bytes of the two-byte codes.
std::string BigfontLine(const std::vector<CodedGlyph>& glyphs) {
  std::set<int> leads;
  for (const CodedGlyph& g : glyphs) {
    if (g.code > 0xFF) leads.insert(static_cast<int>(g.code >> 8));
  }
  std::vector<std::pair<int, int>> ranges;
  for (int lead : leads) {
    if (!ranges.empty() && ranges.back().second + 1 == lead) {
      ranges.back().second = lead;
    } else {
      ranges.push_back({lead, lead});
    }
  }
  std::string line = "*BIGFONT " + std::to_string(glyphs.size() + 1) + "," + std::to_string(ranges.size());
  char hex[16];
  for (auto [first, last] : ranges) {
    std::snprintf(hex, sizeof hex, ",0%02X,0%02X", first, last);
    line += hex;
  }
  return line + "\n";
}

// A name stays on its header line and within the compiler's limits.
std::string HeaderName(const std::string& name) {
  std::string kept;
  for (char c : name) {
    if (c == '\n' || c == '\r' || c == '\0') continue;
    if (kept.size() >= 1023) break;
    kept += c;
  }
  return kept;
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
  for (const CodedGlyph& g : *coded) {
    if (Extent(*g.glyph) > kFarthestInCaps * font.capHeight) {
      return Refused(ErrorKind::kNotAFont, "the glyph of " + CharacterName(g.glyph->character) +
                                               " reaches farther than 64 capital heights from its origin");
    }
  }
  double tolerance = options.tolerancePerCap ? options.tolerance * font.capHeight : options.tolerance;
  imported.tolerance = tolerance;
  std::vector<GridGlyph> placed;
  int units = ChooseGrid(font, *coded, options, tolerance, placed);
  imported.heightUnits = units;
  double scale = units / font.capHeight;

  double depth = 0;
  for (const CodedGlyph& g : *coded) {
    for (const Stroke& stroke : g.glyph->strokes) {
      for (const StrokeVertex& v : stroke.vertices) depth = std::max(depth, -v.y * scale);
    }
  }
  int depthUnits = std::clamp(static_cast<int>(std::ceil(depth - 1e-9)), 0, 255);

  std::string& text = imported.sourceText;
  std::string name = HeaderName(font.name);
  switch (imported.variant) {
    case Variant::kUnifont:
      text += "*UNIFONT,6," + name + "\n" + std::to_string(units) + "," + std::to_string(depthUnits) + ",0,0,0,0\n";
      break;
    case Variant::kBigfont:
      text += BigfontLine(*coded);
      [[fallthrough]];
    default:
      text += "*0,4," + name + "\n" + std::to_string(units) + "," + std::to_string(depthUnits) + ",0,0\n";
      break;
  }
  for (std::size_t k = 0; k < coded->size(); ++k) {
    const CodedGlyph& g = (*coded)[k];
    const GridGlyph& grid = placed[k];
    std::size_t size = grid.items.Bytes().size();
    if (size > kLargestRecordData) {
      return Refused(ErrorKind::kNotAFont, "the glyph of " + CharacterName(g.glyph->character) + " needs " +
                                               std::to_string(size) + " bytes; a shape holds at most 32767");
    }
    text += "\n*" + CodeHex(g.code) + "," + std::to_string(size) + ",\n" + grid.items.Text() + "\n";
  }
  imported.glyphs = static_cast<long long>(coded->size());

  Result<std::vector<Byte>> compiled = CompileShapeText(text, imported.variant);
  if (!compiled) return compiled.error();
  imported.compiled = std::move(*compiled);

  // What was written, drawn and held against what was read.
  Result<ShapeFont> drawn = OpenShapeFont(imported.compiled);
  if (!drawn) return drawn.error();
  std::map<std::uint32_t, const Glyph*> byCode;
  for (const DrawnShape& shape : drawn->shapes) byCode.emplace(shape.glyph.code, &shape.glyph);
  std::vector<WrittenGlyph> written;
  for (std::size_t k = 0; k < coded->size(); ++k) {
    auto found = byCode.find((*coded)[k].code);
    written.push_back({(*coded)[k].glyph, &placed[k], found == byCode.end() ? nullptr : found->second});
  }
  imported.largestError = LargestWrittenError(written, scale) / scale;
  // What lies below the arithmetic's own rounding is no error.
  if (imported.largestError < 1e-9 * font.capHeight) imported.largestError = 0;
  return imported;
}

}  // namespace morlune::convert
