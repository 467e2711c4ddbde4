// The order of a run: options, the character set of --coverage, every font
// read and checked, then the output written whole, and the status.
#include "tools/morlune-check/check_run.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <morlune/check.h>
#include <morlune/text.h>

#include "tools/common/tool_exit_status.h"
#include "tools/common/tool_input.h"
#include "tools/common/tool_output.h"
#include "tools/morlune-check/check_options.h"

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
  bool ReadCoverage(CheckOptions& options, std::string& error);

  const ToolStreams& streams_;
  ToolMessages& messages_;
  CheckCommandLine options_;
};

// U+ starts a range; a file that opens is a text; anything else names an
// encoding.
bool CheckRun::ReadCoverage(CheckOptions& options, std::string& error) {
  std::string spec = options_.coverage;
  Result<CharacterSet> set = Error{};
  if (spec.starts_with("U+") || spec.starts_with("u+")) {
    set = CharacterSetOfRange(spec);
  } else if (InputBytes input = ReadToolInput(spec.c_str(), streams_); input.opened) {
    if (input.error != 0) {
      error = spec + ": " + InputFailureText(input);
      return false;
    }
    std::string_view text(reinterpret_cast<const char*>(input.bytes.data()), input.bytes.size());
    set = CharacterSetOfText(spec, text);
  } else {
    set = CharacterSetOfEncoding(spec);
  }
  if (!set) {
    error = set.error().message;
    return false;
  }
  options.coverage = std::move(*set);
  return true;
}

ExitStatus CheckRun::Run(int argc, const char* const* argv, const DrawLimits& limits) {
  OptionScan scan = ScanCheckOptions(argc, argv, options_);
  if (std::optional<ExitStatus> end = EndOnVerdict(scan, kTool, CheckHelpText(), streams_, messages_)) return *end;
  CheckOptions options;
  options.limits = limits;
  if (options_.encoding != nullptr) {
    if (!KnowsEncoding(options_.encoding)) {
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

  std::vector<FontCheck> checks;
  for (const std::string& font : options_.fonts) {
    std::string label = font == "-" ? "<stdin>" : font;
    InputBytes input = ReadToolInput(font == "-" ? nullptr : font.c_str(), streams_);
    if (input.error != 0) {
      messages_.Failure(label, InputFailure(input), input.error);
      FontCheck unread;
      unread.label = label;
      unread.error = InputFailureText(input);
      checks.push_back(std::move(unread));
      continue;
    }
    // The code page was found known above: the check itself cannot fail.
    Result<FontCheck> check = CheckFont(input.bytes, options, label);
    if (check) checks.push_back(std::move(*check));
  }
  long long unreadable = 0;
  FindingCounts counts;
  for (const FontCheck& check : checks) {
    unreadable += check.error.empty() ? 0 : 1;
    counts.Add(check.counts);
  }
  bool written = WriteToolOutput(options_.outputPath, streams_, messages_, [&](TextOutput& out) {
    out.Write(options_.json ? CheckReportJson(checks, options_.failOn) : CheckReportLines(checks));
  });
  if (!written) return ExitStatus::kOutputNotWritten;
  if (unreadable > 0) return ExitStatus::kUsage;
  return counts.AnyAtOrAbove(options_.failOn) ? ExitStatus::kRefused : ExitStatus::kDone;
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
