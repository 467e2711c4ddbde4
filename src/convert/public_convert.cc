// The converter as the library offers it: ExportFont and ImportFont over
// the formats' writers and readers, the losses and the import's account as
// data with their sentences.
#include <morlune/convert.h>

#include <string>
#include <utility>

#include "convert/code_map.h"
#include "convert/export/glyph_export.h"
#include "convert/export/shape_font_input.h"
#include "convert/import/font_import.h"
#include "convert/interchange_io.h"
#include "convert/loss_report.h"
#include "convert/public_losses.h"
#include "convert/utf8_text.h"
#include "platform/held_text.h"
#include "platform/text_output.h"

namespace morlune {
namespace {

// "3 glyphs", "1 glyph".
std::string Counted(long long count, std::string_view thing) {
  std::string text = std::to_string(count);
  text.append(" ").append(thing);
  if (count != 1) text.push_back('s');
  return text;
}

bool IsInterchange(FontFormat format) {
  return format == FontFormat::kSvg || format == FontFormat::kJhf || format == FontFormat::kLff;
}

Error NotInterchange(FontFormat format) {
  return Error{ErrorKind::kBadArgument,
               "cannot convert to or from " + std::string(FontFormatName(format)) +
                   " here: the other side must be svg, jhf or lff",
               {}};
}

// A font cut short exports what it holds, the rest told as lost; one whose
// index cannot be read, or that holds no glyph at all, has nothing to export.
std::optional<Error> NothingToExport(const convert::FontHolding& holding) {
  if (!holding.indexRead) {
    return Error{ErrorKind::kNotAFont, "cannot be read as a shape font: its index is cut short or cannot be read", {}};
  }
  if (holding.glyphs > 0) return std::nullopt;
  std::string why = holding.unreached > 0 ? " (the file ends before the " +
                                                Counted(static_cast<long long>(holding.unreached), "record") +
                                                " its index announces)"
                                          : "";
  return Error{ErrorKind::kNotAFont, "holds no glyph to export" + why, {}};
}

// The export into out; the losses, or why it cannot begin.
Result<std::vector<Loss>> ExportInto(const Font& font, const ExportOptions& options, TextOutput& out) {
  if (!IsInterchange(options.format)) return NotInterchange(options.format);
  convert::FontHolding holding = convert::HoldingOf(font);
  if (std::optional<Error> nothing = NothingToExport(holding)) return *nothing;
  std::string problem;
  std::optional<convert::CodeMap> codes = convert::CodeMap::For(font.variant(), options.encoding, problem);
  if (!codes) return Error{ErrorKind::kEncoding, "cannot map its codes to characters: " + problem, {}};
  convert::ShapeGlyphs glyphs(font, *codes, options.name);
  convert::LossReport losses;
  if (holding.unreached > 0) {
    losses.Add(LossKind::kRecordsUnreached, 0, static_cast<long long>(holding.unreached));
  }
  TextHolding waiting;
  waiting.folder = options.scratchFolder;
  convert::WriteInterchangeFont(options.format, glyphs, options.name, losses, out, waiting);
  if (out.Failed()) {
    return Error{ErrorKind::kUnreadable, "the glyphs waiting for the header could not be held or read back", {}};
  }
  return LossesOf(losses);
}

}  // namespace

std::vector<Loss> LossesOf(const convert::LossReport& report) {
  std::vector<Loss> losses;
  std::vector<std::string> lines = report.Lines();
  std::size_t line = 0;
  for (std::size_t k = 0; k < convert::kLossKindCount; ++k) {
    auto kind = static_cast<LossKind>(k);
    if (report.Count(kind) == 0) continue;
    losses.push_back({kind, report.Count(kind), report.Largest(kind), line < lines.size() ? lines[line] : ""});
    ++line;
  }
  return losses;
}

std::optional<Error> ExportRefusal(const Font& font, const ExportOptions& options) {
  if (!IsInterchange(options.format)) return NotInterchange(options.format);
  if (std::optional<Error> nothing = NothingToExport(convert::HoldingOf(font))) return nothing;
  std::string problem;
  if (!convert::CodeMap::For(font.variant(), options.encoding, problem)) {
    return Error{ErrorKind::kEncoding, "cannot map its codes to characters: " + problem, {}};
  }
  return std::nullopt;
}

Result<ExportedFont> ExportFont(const Font& font, const ExportOptions& options) {
  std::string text;
  Result<std::vector<Loss>> losses = [&] {
    TextOutput out;
    out.AttachCapture(&text);
    Result<std::vector<Loss>> told = ExportInto(font, options, out);
    out.Finish();
    return told;
  }();
  if (!losses) return losses.error();
  if (options.strict && !losses->empty()) {
    std::string message = "the format cannot carry everything:";
    for (const Loss& loss : *losses) message += (&loss == &losses->front() ? " " : "; ") + loss.text;
    return Error{ErrorKind::kLossy, message, {}};
  }
  ExportedFont exported;
  exported.bytes.assign(text.begin(), text.end());
  exported.losses = std::move(*losses);
  return exported;
}

Result<std::vector<Loss>> ExportFont(const Font& font, const ExportOptions& options,
                                     const std::function<void(std::string_view)>& write) {
  TextOutput out;
  out.AttachSink(write);
  Result<std::vector<Loss>> losses = ExportInto(font, options, out);
  out.Finish();
  return losses;
}

Result<ImportedFont> ImportFont(std::span<const Byte> bytes, const ImportOptions& options,
                                std::vector<std::string>* readingNotes) {
  if (!IsInterchange(options.format)) return NotInterchange(options.format);
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  Result<convert::StrokeFont> strokes = convert::ReadInterchangeFont(options.format, text, options.name);
  if (!strokes) {
    Error error = strokes.error();
    error.message = "cannot be read as " + std::string(FontFormatName(options.format)) + ": " + error.message;
    return error;
  }
  // What strays from the format is read as the format's readers take it,
  // and told, so that the file can be mended.
  if (readingNotes != nullptr) *readingNotes = strokes->notes.Lines();
  if (options.strict && !strokes->notes.Empty()) {
    return Error{ErrorKind::kLossy, "not written: --strict and the input is not read whole as written", {}};
  }
  convert::ImportOptions importing;
  importing.heightUnits = options.heightUnits;
  importing.tolerance = options.tolerance;
  importing.tolerancePerCap = options.tolerancePerCap;
  importing.variant = options.variant;
  importing.encoding = options.encoding;
  Result<convert::ImportedFont> imported = convert::ImportStrokeFont(*strokes, importing);
  if (!imported) {
    Error error = imported.error();
    error.message = "cannot be made a shape font: " + error.message;
    return error;
  }
  Result<Font> font = Font::FromBytes(imported->compiled);
  if (!font) return font.error();
  ImportedFont result{std::move(*font), std::move(imported->sourceText), 0, 0, 0, 0, 0, 0, {}};
  result.heightUnits = imported->heightUnits;
  result.tolerance = imported->tolerance;
  result.largestError = imported->largestError;
  result.largestErrorCharacter = imported->largestErrorCharacter;
  result.glyphs = imported->glyphs;
  result.charactersLeftOut = imported->charactersLeftOut;
  if (result.charactersLeftOut > 0) {
    result.report.push_back(Counted(result.charactersLeftOut, "character") +
                            " left out: the variant's codes cannot hold " +
                            (result.charactersLeftOut == 1 ? "it" : "them"));
  }
  result.report.push_back(Counted(result.glyphs, "glyph") + ", " + Counted(result.heightUnits, "unit") +
                          " per capital height, largest error " + convert::AmountText(result.largestError) +
                          " (tolerance " + convert::AmountText(result.tolerance) + "), compiled size " +
                          Counted(static_cast<long long>(result.font.bytes().size()), "byte"));
  // Only a grid given (or the input's own) can come this far past the
  // tolerance: the search refuses such a grid.
  if (result.largestError > result.tolerance) {
    result.report.push_back("the largest error " + convert::AmountText(result.largestError) + " passes the tolerance " +
                            convert::AmountText(result.tolerance) + " on a grid of " +
                            Counted(result.heightUnits, "unit") + " (the glyph of " +
                            CharacterName(result.largestErrorCharacter) + ")");
  }
  return result;
}

}  // namespace morlune
