// The order of one run: command line, source read whole, compiled in
// memory, problems shown, and only then the font written out.
#include "tools/morlune-compile/run_compile.h"

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include <morlune/version.h>

#include "tools/morlune-compile/command_line.h"
#include "compiler/compile_source.h"
#include "platform/read_all.h"
#include "platform/text_output.h"
#include "tools/common/tool_exit_status.h"
#include "platform/tool_messages.h"
#include "tools/common/tool_output.h"
#include "source/problem_lines.h"

namespace morlune {
namespace {

constexpr std::string_view kToolName = "morlune-compile";
constexpr std::string_view kStdinName = "<stdin>";

// The whole source, as one block of memory: a file or standard input read
// (not mapped, so that a file cut short by another program while it is
// read cannot stop the run), or the bytes given in memory.
struct SourceText {
  std::vector<unsigned char> read;
  std::string_view text;
};

// Reads the source; false, with the line that says why, when it cannot be
// opened or read.
bool ReadSourceText(const CompileCommand& command, const ToolStreams& streams, SourceText& source,
                    ToolMessages& messages) {
  std::string_view sourceName = command.sourcePath != nullptr ? command.sourcePath : kStdinName;
  if (command.sourcePath == nullptr && streams.inputData != nullptr) {
    source.text = std::string_view(reinterpret_cast<const char*>(streams.inputData), streams.inputSize);
    return true;
  }
  int fd = streams.inputFd;
  if (command.sourcePath != nullptr) {
    errno = 0;
    fd = OpenForReading(command.sourcePath);
    if (fd < 0) {
      // A folder opens, then is refused with no error number of its own.
      messages.Failure(sourceName, "cannot open", errno != 0 ? errno : EISDIR);
      return false;
    }
  } else {
    UseUntranslatedBytes(fd);
  }
  InputBytes input = ReadAllFrom(fd);
  source.read = std::move(input.bytes);
  source.text = std::string_view(reinterpret_cast<const char*>(source.read.data()), source.read.size());
  int failure = input.error;
  if (command.sourcePath != nullptr) CloseFd(fd);
  if (failure != 0) messages.Failure(sourceName, "cannot read", failure);
  return failure == 0;
}

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

  SourceText source;
  std::string_view sourceName = command.sourcePath != nullptr ? command.sourcePath : kStdinName;
  if (!ReadSourceText(command, streams, source, messages)) return ExitStatus::kUsage;

  Diagnostics diagnostics;
  std::optional<CompiledFont> font = CompileSourceFont(source.text, command.options, diagnostics);
  ShowSourceProblems(messages, sourceName, diagnostics);
  messages.CloseProblems();
  if (!font) return ExitStatus::kRefused;
  // The font to the -o file, put in its place only when whole so that a
  // file there is never left cut short or emptied, or to standard output
  // with no line end translated: the font is bytes.
  bool written = WriteToolOutput(command.outputPath, streams, messages, [&font](TextOutput& out) {
    font->Write([&out](std::string_view block) { out.Write(block); });
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
