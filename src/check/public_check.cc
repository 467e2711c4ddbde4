// The checker as the library offers it: CheckFont over the checker's
// passes, the findings as data with their stable identifiers, and the
// report's two forms written from them.
#include <morlune/check.h>
#include <morlune/text.h>

#include <string>
#include <utility>

#include "check/coverage.h"
#include "check/font_check.h"
#include "check/report.h"
#include "platform/text_output.h"

namespace morlune {
namespace {

Result<CharacterSet> SetOrError(std::optional<CharacterSet> set, const std::string& error) {
  if (!set) return Error{ErrorKind::kBadArgument, error, {}};
  return std::move(*set);
}

CheckFinding Public(const check::Finding& finding) {
  const check::FindingKind& kind = check::KindOf(finding.id);
  return {kind.name, kind.severity, finding.code, finding.line, finding.column, finding.text, finding.missing};
}

// Back to the checker's own form, for its writers: the identifiers are the
// catalogue's.
check::FontReport Internal(const FontCheck& check) {
  check::FontReport report;
  report.label = check.label;
  report.variant = check.variant;
  report.fromSource = check.fromSource;
  report.error = check.error;
  report.findings.reserve(check.findings.size());
  for (const CheckFinding& finding : check.findings) {
    check::FindingId id = check::FindingId::kNotAFont;
    for (const check::FindingKind& kind : check::FindingKinds()) {
      if (finding.id == kind.name) id = kind.id;
    }
    report.findings.push_back({id, finding.code, finding.line, finding.column, finding.text, finding.missing});
  }
  return report;
}

std::vector<check::FontReport> Internal(const std::vector<FontCheck>& checks) {
  std::vector<check::FontReport> reports;
  reports.reserve(checks.size());
  for (const FontCheck& check : checks) reports.push_back(Internal(check));
  return reports;
}

}  // namespace

Result<CharacterSet> CharacterSetOfRange(std::string_view range) {
  std::string error;
  std::optional<CharacterSet> set = check::CharacterSetOfRange(std::string(range), error);
  return SetOrError(std::move(set), error);
}

Result<CharacterSet> CharacterSetOfText(std::string_view label, std::string_view text) {
  std::string error;
  std::optional<CharacterSet> set = check::CharacterSetOfText(std::string(label), text, error);
  return SetOrError(std::move(set), error);
}

Result<CharacterSet> CharacterSetOfEncoding(std::string_view name) {
  std::string error;
  std::optional<CharacterSet> set = check::CharacterSetOfEncoding(std::string(name), error);
  if (!set) return Error{ErrorKind::kEncoding, error, {}};
  return std::move(*set);
}

Result<FontCheck> CheckFont(std::span<const Byte> bytes, const CheckOptions& options, std::string_view label) {
  check::CheckOptions checking;
  if (!options.encoding.empty() && !KnowsEncoding(options.encoding)) {
    return Error{ErrorKind::kEncoding, "the system knows no code page '" + options.encoding + "'", {}};
  }
  checking.coverage = options.coverage;
  checking.encoding = options.encoding;
  checking.limits = options.limits;
  check::FontReport report =
      check::CheckFont(std::string(label), std::vector<unsigned char>(bytes.begin(), bytes.end()), checking);
  FontCheck result;
  result.label = std::move(report.label);
  result.variant = std::move(report.variant);
  result.fromSource = report.fromSource;
  result.counts = check::CountFindings(report.findings);
  result.findings.reserve(report.findings.size());
  for (const check::Finding& finding : report.findings) result.findings.push_back(Public(finding));
  return result;
}

std::string CheckReportLines(const std::vector<FontCheck>& checks) {
  std::vector<check::FontReport> reports = Internal(checks);
  std::string text;
  TextOutput out;
  out.AttachCapture(&text);
  for (const check::FontReport& report : reports) check::WriteFindingLines(report, out);
  // The failing level plays no part in the line.
  check::WriteSummaryLine(check::Summarise(reports, Severity::kFail), out);
  out.Finish();
  return text;
}

std::string CheckReportJson(const std::vector<FontCheck>& checks, Severity failOn) {
  std::vector<check::FontReport> reports = Internal(checks);
  std::string text;
  TextOutput out;
  out.AttachCapture(&text);
  check::WriteJsonDocument(reports, check::Summarise(reports, failOn), out);
  out.Finish();
  return text;
}

}  // namespace morlune
