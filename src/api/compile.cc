// Compiling for library users: the compiler's font written straight into
// the caller's bytes, its problems handed over as they are.
#include <morlune/compile.h>

#include <string>
#include <utility>

#include "compiler/compile_source.h"
#include "source/diagnostics.h"

namespace morlune {

Result<std::vector<Byte>> Compile(std::string_view source, const CompileOptions& options, SourceProblems& problems) {
  Diagnostics diagnostics;
  std::optional<CompiledFont> font = CompileSourceFont(source, options, diagnostics);
  problems.diagnostics = diagnostics.Kept();
  problems.notKept = diagnostics.NotKept();
  if (!font) {
    Error error{ErrorKind::kSourceErrors, "", diagnostics.Kept()};
    const Diagnostic* first = nullptr;
    for (const Diagnostic& diagnostic : diagnostics.Kept()) {
      if (diagnostic.isError) {
        first = &diagnostic;
        break;
      }
    }
    std::size_t errors = diagnostics.ErrorCount();
    error.message = "the source text has " + std::to_string(errors) + (errors == 1 ? " error" : " errors");
    if (first != nullptr) {
      error.message += ", the first at line " + std::to_string(first->line) + ", column " +
                       std::to_string(first->column) + ": " + first->message;
    }
    if (diagnostics.NotKept() > 0) {
      error.message += " (" + std::to_string(diagnostics.NotKept()) + " more problems not kept)";
    }
    return error;
  }
  std::vector<Byte> bytes;
  font->Write([&bytes](std::string_view block) { bytes.insert(bytes.end(), block.begin(), block.end()); });
  return bytes;
}

Result<std::vector<Byte>> Compile(std::string_view source, const CompileOptions& options,
                                  std::vector<Diagnostic>* warnings) {
  SourceProblems problems;
  Result<std::vector<Byte>> bytes = Compile(source, options, problems);
  if (bytes && warnings != nullptr) *warnings = std::move(problems.diagnostics);
  return bytes;
}

}  // namespace morlune
