// One style of error line for every tool beside morlune.
#include "tools/common/tool_messages.h"

#include "platform/error_text.h"

namespace morlune {

void ToolMessages::Line(std::string_view file, std::string_view whatFailed, std::string_view reason) {
  errors_.Write(program_);
  errors_.Write(": ");
  if (!file.empty()) {
    errors_.Write(file);
    errors_.Write(": ");
  }
  errors_.Write(whatFailed);
  if (!reason.empty()) {
    errors_.Write(": ");
    errors_.Write(reason);
  }
  errors_.Put('\n');
}

void ToolMessages::Failure(std::string_view file, std::string_view whatFailed, int errorNumber) {
  Line(file, whatFailed, errorNumber != 0 ? SystemReason(errorNumber) : std::string());
}

void ToolMessages::Failure(std::string_view file, std::string_view whatFailed, std::string_view reason) {
  Line(file, whatFailed, reason);
}

void ToolMessages::CommandLineProblem(std::string_view problem) {
  Line("", problem, "");
  errors_.Write("Try '" + program_ + " --help' for more information.\n");
}

void ToolMessages::Problem(std::string_view line) {
  if (shown_ == kShownProblemLimit) {
    ++notShown_;
    return;
  }
  ++shown_;
  errors_.Write(line);
  errors_.Put('\n');
}

void ToolMessages::CloseProblems() {
  if (notShown_ == 0) return;
  errors_.Write(program_ + ": " + std::to_string(notShown_) +
                (notShown_ == 1 ? " more problem not shown.\n" : " more problems not shown.\n"));
  notShown_ = 0;
}

void ShowSourceProblems(ToolMessages& messages, std::string_view sourceName, const SourceProblems& problems) {
  std::string line;
  for (const Diagnostic& diagnostic : problems.diagnostics) {
    line.assign(sourceName);
    line += ':';
    line += DiagnosticLine(diagnostic);
    messages.Problem(line);
  }
  messages.NotShown(problems.notKept);
}

}  // namespace morlune
