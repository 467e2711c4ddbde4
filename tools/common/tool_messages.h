// The lines that the tools beside morlune (morlune-compile, morlune-draw and
// the tools to come) write on standard error, in one style:
//
//   PROGRAM: FILE: what failed: REASON
//
// the file first, what failed in the tool's own words, and last the
// system's reason. The problems that an input shows (a source text's errors,
// a drawing's warnings) are shown up to one limit for every tool, and one
// closing line counts those past it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <morlune/compile.h>

#include "platform/text_output.h"

namespace morlune {

// Problems of one run shown on standard error, morlune-compile's about a
// text and morlune-draw's about a font alike. Those past it are only
// counted, in one closing line, so that a file broken throughout cannot
// bury the first lines, which are the ones to fix. The library keeps as
// many of a text's problems.
inline constexpr std::size_t kShownProblemLimit = kKeptDiagnostics;

class ToolMessages {
 public:
  ToolMessages(std::string_view program, TextOutput& errors) : program_(program), errors_(errors) {}

  const std::string& Program() const { return program_; }

  // "PROGRAM: FILE: WHAT: REASON" with the system's reason for errorNumber,
  // or "PROGRAM: FILE: WHAT" for 0; an empty FILE is left out.
  void Failure(std::string_view file, std::string_view whatFailed, int errorNumber = 0);
  // The same with a reason in the tool's own words.
  void Failure(std::string_view file, std::string_view whatFailed, std::string_view reason);
  // "PROGRAM: PROBLEM", then the line that points to --help.
  void CommandLineProblem(std::string_view problem);

  // A problem's whole line (its line end added), shown while fewer than
  // kShownProblemLimit have been, counted after that.
  void Problem(std::string_view line);
  // Problems found and counted elsewhere that are not shown.
  void NotShown(std::size_t count) { notShown_ += count; }
  // How many problems may still be shown.
  std::size_t ProblemsLeft() const { return kShownProblemLimit - shown_; }
  // "PROGRAM: N more problems not shown." once, where any were not shown
  // ("1 more problem" for one).
  void CloseProblems();

 private:
  void Line(std::string_view file, std::string_view whatFailed, std::string_view reason);

  std::string program_;
  TextOutput& errors_;
  std::size_t shown_ = 0;
  std::size_t notShown_ = 0;
};

// A source text's problems, one line each, "FILE:LINE:COLUMN: error: TEXT"
// (or warning:), those past the limit only counted.
void ShowSourceProblems(ToolMessages& messages, std::string_view sourceName, const SourceProblems& problems);

}  // namespace morlune
