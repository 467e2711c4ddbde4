// The order of a run: options, the character set of --coverage, every font
// read and checked, then the output written whole, and the status.
#include "tools/morlune-check/check_run.h"

#include <string>
#include <utility>
#include <vector>

#include "check/report.h"
#include "tools/morlune-check/check_options.h"
#include "platform/code_page.h"
#include "platform/read_all.h"
#include "platform/text_output.h"
#include "tools/common/tool_exit_status.h"
#include "tools/common/tool_input.h"
#include "platform/tool_messages.h"
#include "tools/common/tool_output.h"

#ifndef MORLUNE_VERSION
#define MORLUNE_VERSION "unknown"
#endif

namespace morlune {
namespace {

constexpr char kTool[] = "morlune-check";

class CheckRun {
 public:
  CheckRun(const ToolStreams& streams, ToolMessages& messages) : streams_(streams), messages_(messages) {}
  ExitStatus Run(int argc, const char* const* argv, const DrawLimits& limits);

 private:
  ExitStatus Usage(const std::string& error) {
    messages_.CommandLineProblem(error);
    return ExitStatus::kUsage;
  }
  ExitStatus Say(const char* text) {
    return SayOnToolOutput(streams_, messages_, text) ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
  }
  bool ReadCoverage(check::CheckOptions& options, std::string& error);

  const ToolStreams& streams_;
  ToolMessages& messages_;
  CheckCommandLine options_;
};

// U+ starts a range; a file that opens is a text; anything else names an
// encoding.
bool CheckRun::ReadCoverage(check::CheckOptions& options, std::string& error) {
  std::string spec = options_.coverage;
  if (spec.starts_with("U+") || spec.starts_with("u+")) {
    options.coverage = check::CharacterSetOfRange(spec, error);
    return options.coverage.has_value();
  }
  int fd = OpenForReading(spec.c_str());
  if (fd >= 0) {
    InputBytes input = ReadAllFrom(fd);
    CloseFd(fd);
    if (input.error != 0) {
      error = spec + ": cannot read: " + SystemReason(input.error);
      return false;
    }
    std::string_view text(reinterpret_cast<const char*>(input.bytes.data()), input.bytes.size());
    options.coverage = check::CharacterSetOfText(spec, text, error);
    return options.coverage.has_value();
  }
  options.coverage = check::CharacterSetOfEncoding(spec, error);
  return options.coverage.has_value();
}

ExitStatus CheckRun::Run(int argc, const char* const* argv, const DrawLimits& limits) {
  OptionScan scan = ScanCheckOptions(argc, argv, options_);
  switch (scan.verdict) {
    case OptionVerdict::kHelp:
      return Say(CheckHelpText());
    case OptionVerdict::kVersion:
      return Say("morlune-check " MORLUNE_VERSION "\n");
    case OptionVerdict::kUsageError:
      return Usage(scan.error);
    case OptionVerdict::kRun:
      break;
  }
  check::CheckOptions options;
  options.limits = limits;
  if (options_.encoding != nullptr) {
    CodePageConverter codePage;
    if (!codePage.Open(options_.encoding)) {
      return Usage("the system knows no code page '" + std::string(options_.encoding) + "'");
    }
    options.encoding = options_.encoding;
  }
  if (options_.coverage != nullptr) {
    std::string error;
    if (!ReadCoverage(options, error)) return Usage("--coverage: " + error);
  }

  // A report written over a font it checks would lose the font for good.
  for (const std::string& font : options_.fonts) {
    if (RefuseOutputOverInput(options_.outputPath, font == "-" ? nullptr : font.c_str(), streams_, messages_,
                              "it is an input file")) {
      return ExitStatus::kUsage;
    }
  }

  std::vector<check::FontReport> reports;
  for (const std::string& font : options_.fonts) {
    std::string label = font == "-" ? "<stdin>" : font;
    InputBytes input = ReadToolInput(font == "-" ? nullptr : font.c_str(), streams_);
    if (input.error != 0) {
      std::string failed = InputFailure(input);
      messages_.Failure(label, failed, input.error);
      check::FontReport report;
      report.label = label;
      report.error = failed + ": " + SystemReason(input.error);
      reports.push_back(std::move(report));
      continue;
    }
    reports.push_back(check::CheckFont(label, std::move(input.bytes), options));
  }
  check::RunSummary summary = check::Summarise(reports, options_.failOn);
  bool written = WriteToolOutput(options_.outputPath, streams_, messages_, [&](TextOutput& out) {
    if (options_.json) {
      check::WriteJsonDocument(reports, summary, out);
      return;
    }
    for (const check::FontReport& report : reports) check::WriteFindingLines(report, out);
    check::WriteSummaryLine(summary, out);
  });
  if (!written) return ExitStatus::kOutputNotWritten;
  if (summary.unreadable > 0) return ExitStatus::kUsage;
  return summary.counts.AnyAtOrAbove(options_.failOn) ? ExitStatus::kRefused : ExitStatus::kDone;
}

}  // namespace

int RunMorluneCheck(int argc, const char* const* argv, const ToolStreams& streams, const DrawLimits& limits) {
  TextOutput errors;
  AttachToolErrors(errors, streams);
  ToolMessages messages(kTool, errors);
  ExitStatus status = CheckRun(streams, messages).Run(argc, argv, limits);
  errors.Flush();
  return ExitNumber(status);
}

}  // namespace morlune
