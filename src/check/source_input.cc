// Shape source text compiled as morlune-compile compiles it, its every
// problem a finding.
#include "check/source_input.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/compile_source.h"

namespace morlune::check {

FontInput FontOfInput(std::vector<unsigned char> input, std::vector<Finding>& findings) {
  FontInput result;
  std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
  if (!IsShapeSourceText(text)) {
    result.font = std::move(input);
    return result;
  }
  result.fromSource = true;
  // The first problems of a text full of faults are enough to mend it.
  constexpr std::size_t kKept = 1000;
  Diagnostics problems(kKept);
  std::optional<std::string> compiled = CompileSource(text, CompileOptions{}, problems);
  for (const Diagnostic& problem : problems.Kept()) {
    Finding finding;
    finding.id = problem.isError ? FindingId::kSourceError : FindingId::kSourceWarning;
    finding.line = problem.line;
    finding.column = problem.column;
    finding.text = problem.message;
    findings.push_back(std::move(finding));
  }
  if (problems.NotKept() > 0) {
    Finding finding;
    bool errorsKept = std::any_of(problems.Kept().begin(), problems.Kept().end(),
                                  [](const Diagnostic& problem) { return problem.isError; });
    finding.id = !compiled && !errorsKept ? FindingId::kSourceError : FindingId::kSourceWarning;
    finding.text = std::to_string(problems.NotKept()) + " more problems of the text are not listed";
    findings.push_back(std::move(finding));
  }
  if (compiled) {
    result.font.assign(compiled->begin(), compiled->end());
  } else {
    result.compiled = false;
  }
  return result;
}

}  // namespace morlune::check
