// The order of one run: command line, source read whole, compiled in
// memory, problems shown, and only then the font written out.
#include "compile_driver/run_compile.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "compile_driver/command_line.h"
#include "compile_driver/exit_status.h"
#include "compiler/compile_source.h"
#include "platform/pending_file.h"
#include "platform/text_output.h"

#ifndef MORLUNE_VERSION
#define MORLUNE_VERSION "unknown"
#endif

namespace morlune {
namespace {

constexpr std::string_view kToolName = "morlune-compile";
constexpr std::string_view kStdinName = "<stdin>";

// "morlune-compile: TEXT."
void ReportError(TextOutput& errors, std::string_view text) {
  errors.Write(kToolName);
  errors.Write(": ");
  errors.Write(text);
  errors.Write(".\n");
}

std::string ReasonText(int errorNumber) {
  const char* reason = errorNumber != 0 ? std::strerror(errorNumber) : nullptr;
  return reason != nullptr && *reason != '\0' ? reason : "not a readable file";
}

// The whole source, as one block of memory: a file or standard input read
// (not mapped, so that a file cut short by another program while it is
// read cannot stop the run), or the bytes given in memory.
struct SourceText {
  std::string read;
  std::string_view text;
};

// Returns 0, or the error number of the failure (-1 where there is none).
int ReadSourceText(const CompileCommand& command, const ToolStreams& streams, SourceText& source) {
  if (command.sourcePath == nullptr && streams.inputData != nullptr) {
    source.text = std::string_view(reinterpret_cast<const char*>(streams.inputData), streams.inputSize);
    return 0;
  }
  int fd = streams.inputFd;
  if (command.sourcePath != nullptr) {
    errno = 0;
    fd = OpenForReading(command.sourcePath);
    if (fd < 0) return errno != 0 ? errno : -1;
  } else {
    UseUntranslatedBytes(fd);
  }
  std::int64_t fileSize = RegularFileSize(fd);
  int failure = 0;
  // A file is read into room of its own size (and one byte more, to see its
  // end at once); a pipe into room that doubles as it fills.
  std::string& text = source.read;
  std::size_t size = 0;
  text.resize(fileSize >= 0 ? static_cast<std::size_t>(fileSize) + 1 : 64 * 1024);
  for (;;) {
    if (size == text.size()) text.resize(text.size() * 2);
    long got = ReadFd(fd, reinterpret_cast<unsigned char*>(text.data()) + size, text.size() - size);
    if (got < 0) failure = errno != 0 ? errno : -1;
    if (got <= 0) break;
    size += static_cast<std::size_t>(got);
  }
  text.resize(size);
  source.text = text;
  if (command.sourcePath != nullptr) CloseFd(fd);
  return failure;
}

void ShowProblems(TextOutput& errors, std::string_view sourceName, const Diagnostics& diagnostics) {
  for (const Diagnostic& diagnostic : diagnostics.Kept()) {
    errors.Write(sourceName);
    errors.Write(":");
    errors.Write(std::to_string(diagnostic.line));
    errors.Write(":");
    errors.Write(std::to_string(diagnostic.column));
    errors.Write(": ");
    errors.Write(diagnostic.isError ? "error: " : "warning: ");
    errors.Write(diagnostic.message);
    errors.Write("\n");
  }
  if (diagnostics.NotKept() > 0) {
    ReportError(errors, std::to_string(diagnostics.NotKept()) + " more problems not shown");
  }
}

// The font to the -o file: written beside it and put in its place only when
// whole, so that a file there is never left cut short or emptied.
int WriteFontFile(const char* path, const CompiledFont& font, TextOutput& errors) {
  PendingFile file;
  if (int error = OpenPendingFile(path, file); error != 0) {
    ReportError(errors, "cannot create " + std::string(path) + ": " + ReasonText(error));
    return kExitFontNotWritten;
  }
  TextOutput out;
  out.AttachFd(file.fd, true);
  font.Write([&out](std::string_view block) { out.Write(block); });
  out.Finish();
  int failure = out.FailureErrno();
  if (failure != 0) {
    DiscardPendingFile(file);
  } else {
    failure = CommitPendingFile(file, path);
  }
  if (failure != 0) {
    ReportError(errors, WriteErrorText(failure));
    return kExitFontNotWritten;
  }
  return kExitFontWritten;
}

int WriteFontOut(const CompiledFont& font, const ToolStreams& streams, TextOutput& errors) {
  // The font is bytes: no line end may be translated on its way out.
  if (streams.outputCapture == nullptr) UseUntranslatedBytes(streams.outputFd);
  TextOutput out;
  AttachToolStream(out, streams.outputFd, streams.outputCapture);
  font.Write([&out](std::string_view block) { out.Write(block); });
  out.Finish();
  if (out.Failed()) {
    ReportError(errors, WriteErrorText(out.FailureErrno()));
    return kExitFontNotWritten;
  }
  return kExitFontWritten;
}

int Run(int argc, const char* const* argv, const ToolStreams& streams, TextOutput& errors) {
  CompileCommand command = ParseCompileCommand(argc, argv);
  if (!command.problem.empty()) {
    ReportError(errors, command.problem);
    errors.Write("Try 'morlune-compile --help' for more information.\n");
    return kExitBadCommand;
  }
  if (command.help || command.version) {
    TextOutput out;
    out.SetCrLfLineEnds(TextLineEndIsCrLf());
    AttachToolStream(out, streams.outputFd, streams.outputCapture);
    out.Write(command.help ? std::string(kCompileUsage) : std::string(kToolName) + " " + MORLUNE_VERSION + "\n");
    out.Finish();
    if (out.Failed()) {
      ReportError(errors, WriteErrorText(out.FailureErrno()));
      return kExitFontNotWritten;
    }
    return kExitFontWritten;
  }

  SourceText source;
  std::string_view sourceName = command.sourcePath != nullptr ? command.sourcePath : kStdinName;
  if (int failure = ReadSourceText(command, streams, source); failure != 0) {
    ReportError(errors, "cannot read " + std::string(sourceName) + ": " + ReasonText(failure > 0 ? failure : 0));
    return kExitBadCommand;
  }

  Diagnostics diagnostics;
  std::optional<CompiledFont> font = CompileSourceFont(source.text, command.options, diagnostics);
  ShowProblems(errors, sourceName, diagnostics);
  if (!font) return kExitTextErrors;
  if (command.outputPath != nullptr) return WriteFontFile(command.outputPath, *font, errors);
  return WriteFontOut(*font, streams, errors);
}

}  // namespace

int RunMorluneCompile(int argc, const char* const* argv, const ToolStreams& streams) {
  TextOutput errors;
  errors.SetCrLfLineEnds(TextLineEndIsCrLf());
  AttachToolStream(errors, streams.errorFd, streams.errorCapture);
  int status = Run(argc, argv, streams, errors);
  errors.Finish();
  return status;
}

}  // namespace morlune
