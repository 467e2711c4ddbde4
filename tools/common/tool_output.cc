#include "tools/common/tool_output.h"

#include <string>

#include <morlune/version.h>

#include "platform/file_io.h"
#include "tools/common/pending_file.h"

namespace morlune {
namespace {

constexpr char kStdout[] = "<stdout>";

// Bytes as they are: no line end translated.
void AttachStandardOutput(TextOutput& out, const ToolStreams& streams) {
  if (streams.outputCapture == nullptr && streams.outputFd >= 0) UseUntranslatedBytes(streams.outputFd);
  AttachToolStream(out, streams.outputFd, streams.outputCapture);
}

// mayDrop: write may refuse the output once written, so that standard
// output is held until it says.
bool WriteToolOutputUnlessDropped(const char* outputPath, const ToolStreams& streams, ToolMessages& messages,
                                  const std::function<bool(TextOutput&)>& write, bool& dropped, bool mayDrop) {
  dropped = false;
  TextOutput out;
  PendingFile file;
  std::string outputLabel = kStdout;
  std::string held;
  if (outputPath != nullptr) {
    outputLabel = outputPath;
    if (int error = OpenPendingFile(outputPath, file); error != 0) {
      messages.Failure(outputLabel, file.inPlace ? "cannot create" : "cannot create the temporary file beside it",
                       error);
      return false;
    }
    out.AttachFd(file.fd, true);
  } else if (mayDrop) {
    out.AttachCapture(&held);
  } else {
    AttachStandardOutput(out, streams);
  }
  bool kept = write(out);
  out.Finish();
  if (!kept) {
    dropped = true;
    if (outputPath != nullptr) DiscardPendingFile(file);
    return false;
  }
  if (outputPath == nullptr && mayDrop) {
    AttachStandardOutput(out, streams);
    out.Write(held);
    out.Finish();
  }
  if (int error = out.Failed() ? out.FailureErrno() : 0; error != 0) {
    DiscardPendingFile(file);
    messages.Failure(outputLabel, "cannot write", error);
    return false;
  }
  if (outputPath == nullptr) return true;
  if (int error = CommitPendingFile(file, outputPath); error != 0) {
    messages.Failure(outputLabel, "cannot replace it with the temporary file", error);
    return false;
  }
  return true;
}

}  // namespace

void AttachToolErrors(TextOutput& errors, const ToolStreams& streams) {
  errors.SetCrLfLineEnds(TextLineEndIsCrLf());
  AttachToolStream(errors, streams.errorFd, streams.errorCapture);
}

bool SayOnToolOutput(const ToolStreams& streams, ToolMessages& messages, std::string_view text, bool crLfLineEnds) {
  TextOutput out;
  if (crLfLineEnds) out.SetCrLfLineEnds(TextLineEndIsCrLf());
  AttachToolStream(out, streams.outputFd, streams.outputCapture);
  out.Write(text);
  out.Finish();
  if (!out.Failed()) return true;
  messages.Failure(kStdout, "cannot write", out.FailureErrno());
  return false;
}

std::optional<ExitStatus> EndOnVerdict(const OptionScan& scan, std::string_view tool, std::string_view helpText,
                                       const ToolStreams& streams, ToolMessages& messages) {
  switch (scan.verdict) {
    case OptionVerdict::kHelp:
    case OptionVerdict::kVersion: {
      std::string text = scan.verdict == OptionVerdict::kHelp ? std::string(helpText)
                                                              : std::string(tool) + " " + kVersion + "\n";
      return SayOnToolOutput(streams, messages, text) ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
    }
    case OptionVerdict::kUsageError:
      messages.CommandLineProblem(scan.error);
      return ExitStatus::kUsage;
    case OptionVerdict::kRun:
      break;
  }
  return std::nullopt;
}

bool WriteToolOutput(const char* outputPath, const ToolStreams& streams, ToolMessages& messages,
                     const std::function<void(TextOutput&)>& write) {
  bool dropped = false;
  return WriteToolOutputUnlessDropped(outputPath, streams, messages, [&write](TextOutput& out) {
    write(out);
    return true;
  }, dropped, false);
}

bool WriteToolOutputUnlessDropped(const char* outputPath, const ToolStreams& streams, ToolMessages& messages,
                                  const std::function<bool(TextOutput&)>& write, bool& dropped) {
  return WriteToolOutputUnlessDropped(outputPath, streams, messages, write, dropped, true);
}

bool RefuseOutputOverInput(const char* outputPath, const char* inputPath, const ToolStreams& streams,
                           ToolMessages& messages, std::string_view reason) {
  int inputFd = inputPath == nullptr && streams.inputData == nullptr ? streams.inputFd : -1;
  if (!OutputIsTheInput(outputPath, inputPath, inputFd)) return false;
  messages.Failure(outputPath, "refused as the output", reason);
  return true;
}

}  // namespace morlune
