// The raw module's functions over the layers that have no public API yet:
// the converter's imports and exports, the checker, and the listing's path
// data. Every call into an internal header of the library is in this file.
#include "web/internal_bindings.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <emscripten/bind.h>
#include <morlune/check.h>

#include "check/coverage.h"
#include "check/finding.h"
#include "check/font_check.h"
#include "check/report.h"
#include "convert/code_map.h"
#include "convert/export/glyph_export.h"
#include "convert/export/shape_font_input.h"
#include "convert/formats.h"
#include "convert/import/font_import.h"
#include "convert/interchange_io.h"
#include "convert/loss_report.h"
#include "drawing/path_text.h"
#include "platform/code_page.h"
#include "platform/held_text.h"
#include "platform/text_output.h"
#include "web/font_handle.h"
#include "web/js_values.h"

namespace morlune::web {

std::string PathData(const std::vector<Path>& paths) {
  PathText text;
  text.Write(paths);
  return std::string(text.Text());
}

namespace {

using emscripten::val;

// Everything the writers make goes to a string: it is handed to
// JavaScript whole anyway, so no text waits in a scratch file.
template <typename Write>
std::string CapturedText(Write&& write) {
  std::string text;
  TextOutput out;
  out.AttachCapture(&text);
  write(out);
  out.Finish();
  return text;
}

std::optional<convert::FileFormat> InterchangeFormat(const std::string& name) {
  std::optional<convert::FileFormat> format = convert::FormatFromName(name);
  if (format && convert::IsShapeFormat(*format)) return std::nullopt;
  return format;
}

// A font of an interchange format made a shape font, as morlune-convert
// imports it: its source text and compiled bytes, and how well the grid
// holds its strokes.
val ImportFont(const std::string& bytes, const std::string& from, int heightUnits, double tolerance,
               bool tolerancePerCap, const std::string& variantName, const std::string& encoding,
               const std::string& fallbackName) {
  std::optional<convert::FileFormat> format = InterchangeFormat(from);
  if (!format) return ErrorValue("badArgument", "unknown format '" + from + "': give svg, jhf or lff");
  if (heightUnits < 0 || heightUnits > 255) {
    return ErrorValue("badArgument", "the height in font units is 1 to 255 (0: the smallest within the tolerance)");
  }
  if (!std::isfinite(tolerance) || tolerance <= 0) {
    return ErrorValue("badArgument", "the tolerance is a number above 0");
  }
  convert::ImportOptions options;
  if (!VariantOption(variantName, options.variant) || options.variant == Variant::kShapes10) {
    return ErrorValue("badArgument", "unknown variant '" + variantName + "' (shapes11, unifont or bigfont)");
  }
  options.heightUnits = heightUnits;
  options.tolerance = tolerance;
  options.tolerancePerCap = tolerancePerCap;
  options.encoding = encoding;
  Result<convert::StrokeFont> strokes = convert::ReadInterchangeFont(*format, bytes, fallbackName);
  if (!strokes) return ErrorValue(strokes.error());
  Result<convert::ImportedFont> imported = convert::ImportStrokeFont(*strokes, options);
  if (!imported) return ErrorValue(imported.error());
  Result<Font> font = Font::FromBytes(imported->compiled);
  if (!font) return ErrorValue(font.error());
  val result = val::object();
  result.set("font", std::make_shared<FontHandle>(FontHandle{std::move(*font)}));
  result.set("source", BytesValue(imported->sourceText));
  result.set("variant", std::string(VariantName(imported->variant)));
  result.set("heightUnits", imported->heightUnits);
  result.set("tolerance", imported->tolerance);
  result.set("largestError", imported->largestError);
  result.set("largestErrorCharacter", static_cast<double>(imported->largestErrorCharacter));
  result.set("glyphs", static_cast<double>(imported->glyphs));
  result.set("charactersLeftOut", static_cast<double>(imported->charactersLeftOut));
  return result;
}

// A shape font written in an interchange format, as morlune-convert
// exports it, with what the format could not carry.
val ExportFont(const FontHandle& handle, const std::string& to, const std::string& encoding,
               const std::string& name) {
  std::optional<convert::FileFormat> format = InterchangeFormat(to);
  if (!format) return ErrorValue("badArgument", "unknown format '" + to + "': give svg, jhf or lff");
  // A font cut short exports what it holds, the records its index announces
  // past the file's end told as lost; one that holds no glyph at all has
  // nothing to export.
  convert::FontHolding holding = convert::HoldingOf(handle.font);
  if (!holding.indexRead) {
    return ErrorValue("unreadable", "cannot be read as a shape font: its index is cut short or cannot be read");
  }
  if (holding.glyphs == 0) {
    std::string why = holding.unreached == 0 ? ""
                      : " (the file ends before the " + std::to_string(holding.unreached) +
                            (holding.unreached == 1 ? " record" : " records") + " its index announces)";
    return ErrorValue("unreadable", "holds no glyph to export" + why);
  }
  std::string problem;
  std::optional<convert::CodeMap> codes = convert::CodeMap::For(handle.font.variant(), encoding, problem);
  if (!codes) return ErrorValue("encoding", "cannot map its codes to characters: " + problem);
  convert::ShapeGlyphs glyphs(handle.font, *codes, name);
  convert::LossReport losses;
  if (holding.unreached > 0) {
    losses.Add(convert::LossKind::kRecordsUnreached, 0, static_cast<long long>(holding.unreached));
  }
  TextHolding inMemory;
  inMemory.inMemory = std::numeric_limits<std::size_t>::max();
  std::string text = CapturedText(
      [&](TextOutput& out) { convert::WriteInterchangeFont(*format, glyphs, name, losses, out, inMemory); });
  val result = val::object();
  result.set("bytes", BytesValue(text));
  result.set("losses", StringsValue(losses.Lines()));
  return result;
}

val FindingValue(const check::Finding& finding) {
  const check::FindingKind& kind = check::KindOf(finding.id);
  val item = val::object();
  item.set("id", std::string(kind.name));
  item.set("severity", std::string(SeverityName(kind.severity)));
  item.set("code", finding.code ? val(static_cast<double>(*finding.code)) : val::null());
  item.set("line", finding.line ? val(static_cast<double>(*finding.line)) : val::null());
  item.set("column", finding.column ? val(static_cast<double>(*finding.column)) : val::null());
  item.set("text", finding.text);
  std::vector<std::uint32_t> missing;
  for (const check::CharacterRange& range : finding.missing) {
    missing.push_back(static_cast<std::uint32_t>(range.first));
    missing.push_back(static_cast<std::uint32_t>(range.second));
  }
  item.set("missing", CountsValue(missing));
  return item;
}

// One font checked as morlune-check checks it, with its findings and the
// two outputs the tool would write for it alone. coverageKind: "" (none),
// "range", "text" (coverage holds the text) or "encoding".
val CheckFont(const std::string& bytes, const std::string& label, const std::string& coverageKind,
              const std::string& coverage, const std::string& coverageLabel, const std::string& encoding,
              const std::string& failOn) {
  std::optional<check::Severity> level = SeverityFromName(failOn);
  if (!level) return ErrorValue("badArgument", "failOn is FAIL, WARN or INFO, not '" + failOn + "'");
  check::CheckOptions options;
  if (!encoding.empty()) {
    CodePageConverter codePage;
    if (!codePage.Open(encoding)) return ErrorValue("encoding", "the system knows no code page '" + encoding + "'");
    options.encoding = encoding;
  }
  std::string error;
  if (coverageKind == "range") {
    options.coverage = check::CharacterSetOfRange(coverage, error);
  } else if (coverageKind == "text") {
    options.coverage = check::CharacterSetOfText(coverageLabel, coverage, error);
  } else if (coverageKind == "encoding") {
    options.coverage = check::CharacterSetOfEncoding(coverage, error);
  } else if (!coverageKind.empty()) {
    return ErrorValue("badArgument", "coverage is a range, a text or an encoding");
  }
  if (!coverageKind.empty() && !options.coverage) {
    return ErrorValue(coverageKind == "encoding" ? "encoding" : "badArgument", "coverage: " + error);
  }
  check::FontReport report = check::CheckFont(label, std::vector<unsigned char>(bytes.begin(), bytes.end()), options);
  std::vector<check::FontReport> reports;
  reports.push_back(std::move(report));
  check::RunSummary summary = check::Summarise(reports, *level);
  const check::FontReport& checked = reports.front();
  val findings = val::array();
  for (const check::Finding& finding : checked.findings) findings.call<void>("push", FindingValue(finding));
  val result = val::object();
  result.set("variant", checked.variant);
  result.set("fromSource", checked.fromSource);
  result.set("readError", checked.error);
  result.set("findings", findings);
  result.set("lines", BytesValue(CapturedText([&](TextOutput& out) {
               check::WriteFindingLines(checked, out);
               check::WriteSummaryLine(summary, out);
             })));
  result.set("json", BytesValue(CapturedText([&](TextOutput& out) { check::WriteJsonDocument(reports, summary, out); })));
  result.set("failed", summary.counts.AnyAtOrAbove(*level));
  return result;
}

}  // namespace
}  // namespace morlune::web

EMSCRIPTEN_BINDINGS(morlune_internal) {
  emscripten::function("importFont", &morlune::web::ImportFont);
  emscripten::function("exportFont", &morlune::web::ExportFont);
  emscripten::function("checkFont", &morlune::web::CheckFont);
}
