// The order of one run: command line, source read whole, compiled in
// memory, problems shown, and only then the font written out.
#include "tools/morlune-compile/run_compile.h"

#include <string>
#include <string_view>

#include <morlune/compile.h>
#include <morlune/version.h>

#include "tools/common/tool_exit_status.h"
#include "tools/common/tool_input.h"
#include "tools/common/tool_messages.h"
#include "tools/common/tool_output.h"
#include "tools/morlune-compile/command_line.h"

namespace morlune {
namespace {

constexpr std::string_view kToolName = "morlune-compile";
constexpr std::string_view kStdinName = "<stdin>";

ExitStatus Run(int argc, const char* const* argv, const ToolStreams& streams, ToolMessages& messages) {
  CompileCommand command = ParseCompileCommand(argc, argv);
  if (!command.problem.empty()) {
    messages.CommandLineProblem(command.problem);
    return ExitStatus::kUsage;
  }
  if (command.help || command.version) {
    std::string text =
        command.help ? std::string(kCompileUsage) : std::string(kToolName) + " " + kVersion + "\n";
    return SayOnToolOutput(streams, messages, text, true) ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
  }

  // Writing the font over its own source would lose the text for good.
  if (RefuseOutputOverInput(command.outputPath, command.sourcePath, streams, messages)) return ExitStatus::kUsage;

  // The whole source, read (not mapped, so that a file cut short by
  // another program while it is read cannot stop the run).
  std::string_view sourceName = command.sourcePath != nullptr ? command.sourcePath : kStdinName;
  InputBytes input = ReadToolInput(command.sourcePath, streams);
  if (input.error != 0) {
    messages.Failure(sourceName, InputFailure(input), input.error);
    return ExitStatus::kUsage;
  }
  std::string_view text(reinterpret_cast<const char*>(input.bytes.data()), input.bytes.size());

  SourceProblems problems;
  Result<std::vector<Byte>> font = Compile(text, command.options, problems);
  ShowSourceProblems(messages, sourceName, problems);
  messages.CloseProblems();
  if (!font) return ExitStatus::kRefused;
  // The font to the -o file, put in its place only when whole so that a
  // file there is never left cut short or emptied, or to standard output
  // with no line end translated: the font is bytes.
  bool written = WriteToolOutput(command.outputPath, streams, messages, [&font](TextOutput& out) {
    out.Write(std::string_view(reinterpret_cast<const char*>(font->data()), font->size()));
  });
  return written ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
}

}  // namespace

int RunMorluneCompile(int argc, const char* const* argv, const ToolStreams& streams) {
  TextOutput errors;
  AttachToolErrors(errors, streams);
  ToolMessages messages(kToolName, errors);
  ExitStatus status = Run(argc, argv, streams, messages);
  errors.Finish();
  return ExitNumber(status);
}

}  // namespace morlune
