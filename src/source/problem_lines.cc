// Problems in the order of the text, those past the limit only counted.
#include "source/problem_lines.h"

#include <string>

namespace morlune {

void ShowSourceProblems(ToolMessages& messages, std::string_view sourceName, const Diagnostics& diagnostics) {
  std::string line;
  for (const Diagnostic& diagnostic : diagnostics.Kept()) {
    line.assign(sourceName);
    line += ':' + std::to_string(diagnostic.line) + ':' + std::to_string(diagnostic.column);
    line += diagnostic.isError ? ": error: " : ": warning: ";
    line += diagnostic.message;
    messages.Problem(line);
  }
  messages.NotShown(diagnostics.NotKept());
}

}  // namespace morlune
