// The raw module's checker: one font checked as morlune-check checks it,
// its findings as objects, and the two reports the tool would write for it
// alone.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <emscripten/bind.h>
#include <morlune/check.h>
#include <morlune/text.h>

#include "web/js_values.h"

namespace morlune::web {
namespace {

template <typename Number>
val NumberOrNull(const std::optional<Number>& number) {
  return number ? val(static_cast<double>(*number)) : val::null();
}

val FindingValue(const CheckFinding& finding) {
  val item = val::object();
  item.set("id", finding.id);
  item.set("severity", std::string(SeverityName(finding.severity)));
  item.set("code", NumberOrNull(finding.code));
  item.set("line", NumberOrNull(finding.line));
  item.set("column", NumberOrNull(finding.column));
  item.set("text", finding.text);
  // Ranges as their ends, one after the other.
  std::vector<std::uint32_t> missing;
  for (const auto& [first, last] : finding.missing) {
    missing.push_back(static_cast<std::uint32_t>(first));
    missing.push_back(static_cast<std::uint32_t>(last));
  }
  item.set("missing", CountsValue(missing));
  return item;
}

// The characters the font is asked to hold, by kind: "range", "text"
// (coverage holds the text, label names it) or "encoding".
Result<CharacterSet> CoverageOf(const std::string& kind, const std::string& coverage, const std::string& label) {
  if (kind == "range") return CharacterSetOfRange(coverage);
  if (kind == "text") return CharacterSetOfText(label, coverage);
  return CharacterSetOfEncoding(coverage);
}

val CheckFontBytes(const std::string& bytes, const std::string& label, const std::string& coverageKind,
                   const std::string& coverage, const std::string& coverageLabel, const std::string& encoding,
                   const std::string& failOn) {
  std::optional<Severity> level = SeverityFromName(failOn);
  if (!level) return ErrorValue("badArgument", "failOn is FAIL, WARN or INFO, not '" + failOn + "'");
  // An unknown code page is refused before the coverage is read, as
  // morlune-check refuses its options.
  if (!encoding.empty() && !KnowsEncoding(encoding)) {
    return ErrorValue("encoding", "the system knows no code page '" + encoding + "'");
  }
  CheckOptions options;
  options.encoding = encoding;
  if (!coverageKind.empty()) {
    if (coverageKind != "range" && coverageKind != "text" && coverageKind != "encoding") {
      return ErrorValue("badArgument", "coverage is a range, a text or an encoding");
    }
    Result<CharacterSet> set = CoverageOf(coverageKind, coverage, coverageLabel);
    if (!set) {
      Error error = set.error();
      error.message = "coverage: " + error.message;
      return ErrorValue(error);
    }
    options.coverage = std::move(*set);
  }
  Result<FontCheck> checked = CheckFont(ByteSpan(bytes), options, label);
  if (!checked) return ErrorValue(checked.error());
  std::vector<FontCheck> checks;
  checks.push_back(std::move(*checked));
  const FontCheck& check = checks.front();
  val findings = val::array();
  for (const CheckFinding& finding : check.findings) findings.call<void>("push", FindingValue(finding));
  val result = val::object();
  result.set("variant", check.variant);
  result.set("fromSource", check.fromSource);
  result.set("readError", check.error);
  result.set("findings", findings);
  result.set("lines", BytesValue(CheckReportLines(checks)));
  result.set("json", BytesValue(CheckReportJson(checks, *level)));
  result.set("failed", check.counts.AnyAtOrAbove(*level));
  return result;
}

}  // namespace
}  // namespace morlune::web

EMSCRIPTEN_BINDINGS(morlune_check) { emscripten::function("checkFont", &morlune::web::CheckFontBytes); }
