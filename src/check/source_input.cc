// Shape source text compiled as morlune-compile compiles it, its every
// problem a finding.
#include "check/source_input.h"

#include <algorithm>
#include <string>
#include <utility>

#include <morlune/font.h>

namespace morlune::check {

FontInput FontOfInput(std::vector<unsigned char> input, std::vector<Finding>& findings) {
  // The first problems of a text full of faults are enough to mend it.
  SourceProblems problems;
  Result<Font> font = Font::FromBytes(input, {}, problems);
  FontInput result;
  result.fromSource = font ? font->fromSource() : font.error().kind == ErrorKind::kSourceErrors;
  result.compiled = font || !result.fromSource;
  for (const Diagnostic& problem : problems.diagnostics) {
    Finding finding;
    finding.id = problem.isError ? FindingId::kSourceError : FindingId::kSourceWarning;
    finding.line = problem.line;
    finding.column = problem.column;
    finding.text = problem.message;
    findings.push_back(std::move(finding));
  }
  if (problems.notKept > 0) {
    Finding finding;
    bool errorsKept = std::any_of(problems.diagnostics.begin(), problems.diagnostics.end(),
                                  [](const Diagnostic& problem) { return problem.isError; });
    finding.id = !result.compiled && !errorsKept ? FindingId::kSourceError : FindingId::kSourceWarning;
    finding.text = std::to_string(problems.notKept) + " more problems of the text are not listed";
    findings.push_back(std::move(finding));
  }
  // Bytes that are no font and no source text are checked as they came.
  if (font && font->fromSource()) {
    result.font.assign(font->bytes().begin(), font->bytes().end());
  } else if (result.compiled) {
    result.font = std::move(input);
  }
  return result;
}

}  // namespace morlune::check
