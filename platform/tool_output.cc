#include "platform/tool_output.h"

#include <string>

#include "platform/file_io.h"
#include "platform/pending_file.h"

namespace morlune {
namespace {

constexpr char kStdout[] = "<stdout>";

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

bool WriteToolOutput(const char* outputPath, const ToolStreams& streams, ToolMessages& messages,
                     const std::function<void(TextOutput&)>& write) {
  TextOutput out;
  PendingFile file;
  std::string outputLabel = kStdout;
  if (outputPath != nullptr) {
    outputLabel = outputPath;
    if (int error = OpenPendingFile(outputPath, file); error != 0) {
      messages.Failure(outputLabel, file.inPlace ? "cannot create" : "cannot create the temporary file beside it",
                       error);
      return false;
    }
    out.AttachFd(file.fd, true);
  } else {
    if (streams.outputCapture == nullptr && streams.outputFd >= 0) UseUntranslatedBytes(streams.outputFd);
    AttachToolStream(out, streams.outputFd, streams.outputCapture);
  }
  write(out);
  out.Finish();
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

bool RefuseOutputOverInput(const char* outputPath, const char* inputPath, const ToolStreams& streams,
                           ToolMessages& messages, std::string_view reason) {
  int inputFd = inputPath == nullptr && streams.inputData == nullptr ? streams.inputFd : -1;
  if (!OutputIsTheInput(outputPath, inputPath, inputFd)) return false;
  messages.Failure(outputPath, "refused as the output", reason);
  return true;
}

}  // namespace morlune
