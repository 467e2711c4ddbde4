// Fuzz target: a compiled font exported by the converter to an
// interchange format and brought back in. The first byte modulo 3 picks
// the format (SVG font, JHF, LFF); the rest is the font.
//
// Every glyph brought back must draw what the original drew, each point of
// either drawing within the export's reported loss (arcs flattened, points
// moved or pulled in) plus the import's reported error of a point of the
// other. A glyph that comes back without an original must draw nothing;
// one that does not come back must be a reported loss.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include <morlune/font.h>

#include "convert/arc_math.h"
#include "convert/code_map.h"
#include "convert/import/font_import.h"
#include "convert/export/glyph_export.h"
#include "convert/interchange_io.h"
#include "convert/lff/lff_grid.h"
#include "convert/loss_report.h"
#include "convert/svg/svg_font_writer.h"
#include "fuzz/convert_target.h"
#include "fuzz/drawing_distance.h"
#include "platform/text_output.h"

namespace {

namespace convert = morlune::convert;
using morlune::fuzzing::Polylines;

void Check(bool holds) {
  if (!holds) std::abort();
}

// A drawing that strayed: what, where and by how much, then the crash.
void CheckWithin(double distance, double bound, convert::FileFormat format, std::uint32_t code, const char* way) {
  if (distance <= bound) return;
  std::fprintf(stderr, "%s: code %u: %s: %g past the bound %g\n", std::string(convert::FormatName(format)).c_str(),
               static_cast<unsigned>(code), way, distance, bound);
  std::abort();
}

// The grid of the way back: the import measures what it placed at points
// an eighth of a unit apart, so a small grid keeps each run short (the
// search for the smallest grid that keeps the tolerance tries up to 255).
constexpr int kBackGrid = 12;
// Every bound within reach, as in the draw target.
constexpr morlune::DrawLimits kFuzzLimits{16, 500, 1, 2000};
// The font is cut off where its glyphs pass this many pieces in all.
constexpr std::size_t kMostPiecesInFont = 600;
// ... and after this many glyphs, as the other converter targets are.
constexpr std::size_t kMostGlyphs = 64;
// ... and where the straight pieces its arcs would be written as, at the
// finest flatness of any writer (the LFF writer's, for an ellipse), pass
// this many. A huge arc is one piece of the drawing but up to 4,096
// pieces written, each measured against the arc at nine points, then read
// back: such fonts made most of the target's time. One arc of the most
// pieces a writer makes still passes.
constexpr int kMostFlatPiecesInFont = 4096;
constexpr double kFinestFlatnessInCaps = convert::kLffFlatness / convert::kLffCapitalHeight;
// A comparison costs points times pieces: a glyph past these is compared
// at points farther apart (its bound widened by half the step), and the
// glyphs of one format after this much work are not compared at all.
constexpr double kMostPoints = 1000;
constexpr double kMostWork = 400000;
// Points compared along each piece, at most this far apart in capitals.
constexpr double kStepInCaps = 1.0 / 64;
// What the arithmetic of scaling back and forth may leave, in capitals.
constexpr double kArithmeticInCaps = 1e-6;
// What the SVG writer's last decimal may move a point, in the font's
// units, unreported: half of it on each axis.
const double kSvgWrittenMove = 0.5 * std::pow(10.0, -convert::kSvgDecimals) * std::sqrt(2.0);

// The export's own word on how far a point may have moved.
double ReportedMove(const convert::LossReport& losses) {
  return losses.Largest(convert::LossKind::kArcsFlattened) + losses.Largest(convert::LossKind::kPointsMoved) +
         std::fabs(losses.Largest(convert::LossKind::kPointsClamped));
}

// The key a format keeps a glyph by: its byte code for JHF, else its
// character.
std::uint32_t KeyOf(convert::FileFormat format, std::uint32_t code, char32_t character) {
  return format == convert::FileFormat::kJhf ? code : static_cast<std::uint32_t>(character);
}

void RoundTrip(convert::FileFormat format, convert::GlyphFont& original, const convert::LossReport& before) {
  convert::LossReport losses = before;
  std::string text;
  morlune::TextOutput out;
  out.AttachCapture(&text);
  convert::WriteInterchangeFont(format, original, "fuzz", losses, out);
  out.Finish();
  morlune::Result<convert::StrokeFont> read = convert::ReadInterchangeFont(format, text, "fuzz");
  if (!read) {
    Check(!read.error().message.empty());
    return;
  }
  if (!(morlune::fuzzing::StrokeLengthOnGrid(*read, kBackGrid) <= morlune::fuzzing::kMostLengthOnGrid)) return;
  convert::ImportOptions options;
  options.heightUnits = kBackGrid;
  // On a grid of 12 units a point moves by up to 0.06 of a capital: a
  // tolerance below that only sends the import looking for what it
  // cannot find.
  options.tolerance = 0.05;
  morlune::Result<convert::ImportedFont> imported = convert::ImportStrokeFont(*read, options);
  if (!imported) {
    Check(!imported.error().message.empty());
    return;
  }
  morlune::Result<morlune::Font> back = morlune::Font::FromBytes(imported->compiled);
  Check(static_cast<bool>(back));
  std::string problem;
  std::optional<convert::CodeMap> codes = convert::CodeMap::For(imported->variant, "", problem);
  Check(codes.has_value());

  // The way back in the original's units. An SVG font is written in the
  // font's own units, JHF and LFF on grids of a fixed capital height that
  // their readers give back; the import puts the reader's capital height
  // at heightUnits. (An SVG font's reader measures its capitals rather than
  // trust the stated height: a font whose capitals are not its height
  // comes back at another size, the same drawing.)
  double cap = original.capHeight;
  double fileUnitsPerOriginal = format == convert::FileFormat::kSvg ? 1 : read->capHeight / cap;
  double backScale = read->capHeight / imported->heightUnits / fileUnitsPerOriginal;
  double importError = std::max(imported->tolerance, imported->largestError) / fileUnitsPerOriginal;
  double allowed = ReportedMove(losses) + importError + kArithmeticInCaps * cap +
                   (format == convert::FileFormat::kSvg ? kSvgWrittenMove : 0);
  double work = 0;

  std::map<std::uint32_t, const convert::CharacterGlyph*> originals;
  for (const convert::CharacterGlyph& glyph : original.glyphs) {
    originals.emplace(KeyOf(format, glyph.code, glyph.character), &glyph);
  }
  bool strokesCut = losses.Count(convert::LossKind::kStrokesCut) > 0;
  // A glyph without width, or one whose ink the format cannot hold (a
  // space's), may come back without its ink.
  bool inkDropped = losses.Count(convert::LossKind::kInkedNoWidth) > 0 ||
                    losses.Count(convert::LossKind::kCodesDropped) > 0;
  for (const morlune::Record& record : back->records()) {
    if (record.code == 0 || back->Find(record.code) != &record) continue;
    morlune::Result<morlune::Glyph> glyph = back->GlyphOf(record.code);
    Check(static_cast<bool>(glyph));
    double flatBack = 0;
    Polylines drawn = morlune::fuzzing::GlyphPolylines(*glyph, backScale, flatBack);
    std::optional<char32_t> character = codes->CharacterOf(record.code);
    auto found = originals.find(KeyOf(format, record.code, character.value_or(0)));
    if (found == originals.end()) {
      CheckWithin(static_cast<double>(morlune::fuzzing::PieceCount(drawn)), 0, format, record.code,
                  "pieces drawn by a glyph without an original");
      continue;
    }
    double flatOriginal = 0;
    Polylines wanted = morlune::fuzzing::GlyphPolylines(found->second->glyph, 1, flatOriginal);
    double length = morlune::fuzzing::TotalLength(wanted) + morlune::fuzzing::TotalLength(drawn);
    double step = std::max(kStepInCaps * cap, length / kMostPoints);
    double pieces = static_cast<double>(morlune::fuzzing::PieceCount(wanted) + morlune::fuzzing::PieceCount(drawn));
    work += (kMostPoints + pieces) * pieces;
    if (work > kMostWork) break;
    double bound = allowed + flatBack + flatOriginal + step / 2;
    CheckWithin(morlune::fuzzing::DirectedDistance(drawn, wanted, step), bound, format, record.code,
                "what came back from the original");
    if (strokesCut || (inkDropped && drawn.empty())) continue;
    // Ink smaller than a step of the grid may come back as none: it is off
    // by its own size.
    double missed = drawn.empty() ? morlune::fuzzing::Extent(wanted)
                                  : morlune::fuzzing::DirectedDistance(wanted, drawn, step);
    CheckWithin(missed, bound, format, record.code, "the original from what came back");
  }
}

// How many of the glyphs, from the first, stay within the budget of
// written pieces: a line is one, an arc as many as it would be flattened
// into at the given flatness.
std::size_t GlyphsWithinFlatPieces(const std::vector<convert::CharacterGlyph>& glyphs, double flatness) {
  int pieces = 0;
  for (std::size_t k = 0; k < glyphs.size(); ++k) {
    for (const morlune::Path& path : glyphs[k].glyph.paths) {
      for (const morlune::Segment& segment : path.segments) {
        const auto* arc = std::get_if<morlune::ArcSegment>(&segment);
        pieces += arc != nullptr ? convert::FlatPieces(*arc, flatness) : 1;
      }
    }
    if (pieces > kMostFlatPiecesInFont) return k;
  }
  return glyphs.size();
}

// The font as the converter opens it, drawn within small bounds of the
// harness's own and cut off past a budget of pieces, so that no input
// writes and reads back hundreds of thousands of pieces. Vertical items
// are not counted: they draw nothing, so they move no point.
std::optional<convert::GlyphFont> OpenSmall(std::span<const std::uint8_t> bytes, convert::LossReport& losses) {
  morlune::Result<morlune::Font> font = morlune::Font::FromBytes(bytes);
  if (!font) return std::nullopt;
  std::string problem;
  // A bigfont's codes need a code page to stand for characters.
  std::optional<convert::CodeMap> codes = convert::CodeMap::For(font->variant(), "", problem);
  if (!codes) return std::nullopt;
  convert::GlyphFont glyphs;
  glyphs.name = "fuzz";
  glyphs.depth = font->header().depth;
  std::size_t pieces = 0;
  for (const morlune::Record& record : font->records()) {
    if (record.code == 0 || font->Find(record.code) != &record) continue;
    morlune::Result<morlune::Glyph> glyph = font->GlyphOf(record.code, kFuzzLimits);
    if (!glyph) continue;
    for (const morlune::Path& path : glyph->paths) pieces += path.segments.size();
    if (pieces > kMostPiecesInFont || glyphs.glyphs.size() == kMostGlyphs) break;
    if (!glyph->warnings.empty()) losses.Add(convert::LossKind::kDrawingStopped);
    glyphs.glyphs.emplace_back(codes->CharacterOf(record.code).value_or(0), record.code, std::move(*glyph));
  }
  // Without a height of its own, the font is measured by its tallest glyph.
  double tallest = 0;
  for (const convert::CharacterGlyph& glyph : glyphs.glyphs) {
    double top = 0;
    if (convert::GlyphTop({glyph.glyph.advance, glyph.glyph.paths}, top)) tallest = std::max(tallest, top);
  }
  glyphs.capHeight = font->header().height > 0 ? font->header().height : (tallest > 0 ? tallest : 1);
  std::size_t kept = GlyphsWithinFlatPieces(glyphs.glyphs, kFinestFlatnessInCaps * glyphs.capHeight);
  glyphs.glyphs.erase(glyphs.glyphs.begin() + static_cast<std::ptrdiff_t>(kept), glyphs.glyphs.end());
  std::sort(glyphs.glyphs.begin(), glyphs.glyphs.end(),
            [](const convert::CharacterGlyph& a, const convert::CharacterGlyph& b) { return a.code < b.code; });
  return glyphs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  convert::LossReport losses;
  std::optional<convert::GlyphFont> glyphs = OpenSmall(std::span(data + 1, size - 1), losses);
  if (!glyphs) return 0;
  constexpr convert::FileFormat kFormats[3] = {convert::FileFormat::kSvg, convert::FileFormat::kJhf,
                                               convert::FileFormat::kLff};
  RoundTrip(kFormats[data[0] % 3], *glyphs, losses);
  return 0;
}
