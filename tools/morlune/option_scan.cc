// The option scan: letters act in their order, and "?" or an unknown letter
// ends the run before anything after it is looked at.
#include "tools/morlune/option_scan.h"

#include "tools/common/tool_exit_status.h"
#include "tools/morlune/message_catalog.h"
#include "tools/morlune/standard_streams.h"

namespace morlune {
namespace {

// The input path as the scan will find it from argv[next] on: option
// arguments are passed over, an "o" among their letters taking the argument
// after them as its path.
const char* LookAheadInputPath(int argc, const char* const* argv, int next) {
  while (next < argc && argv[next][0] == '-') {
    const char* letters = argv[next++] + 1;
    while (*letters != '\0' && *letters != 'o') ++letters;
    if (*letters == 'o') ++next;
  }
  return next < argc ? argv[next] : nullptr;
}

}  // namespace

OptionScanResult ScanOptions(DumpContext& context, int argc, const char* const* argv,
                             const ToolStreams& streams) {
  OptionScanResult result;
  auto end = [&result](ExitStatus status) {
    result.endRun = true;
    result.status = status;
    return result;
  };
  int next = 1;
  while (next < argc && argv[next][0] == '-') {
    const char* letters = argv[next++] + 1;
    for (; *letters != '\0'; ++letters) {
      char letter = *letters;
      if (letter == 'd') {
        context.decimalCodes = 1;
      } else if (letter == 'e') {
        context.escapedNames = 1;
      } else if (letter == 'o') {
        // The next argument is the output path whatever it looks like; the
        // letters after "o" in this argument are ignored.
        if (next >= argc) {
          ReportMessage(context, IDS_CANNOT_OPEN_OUTPUT);
          return end(ExitStatus::kRefused);
        }
        const char* path = argv[next++];
        // Opening empties the file: when it is the font about to be read,
        // the font would be gone before its first byte.
        const char* input = LookAheadInputPath(argc, argv, next);
        int fd = input != nullptr && SameExistingFile(path, input) ? -1 : OpenForWriting(path);
        if (fd < 0) {
          ReportMessage(context, IDS_CANNOT_OPEN_OUTPUT);
          return end(ExitStatus::kRefused);
        }
        context.output.AttachFd(fd, true);
        break;
      } else if (letter == '?') {
        TextOutput standardOutput;
        AttachStandardStream(standardOutput, streams.outputFd, streams.outputCapture);
        PrintUsage(context, standardOutput);
        standardOutput.Finish();
        return end(ReportWriteFailure(context, standardOutput) ? ExitStatus::kOutputNotWritten : ExitStatus::kRefused);
      } else {
        WriteFormatText(context.errors, context.usageSynopsis);
        return end(ExitStatus::kRefused);
      }
    }
  }
  if (next < argc) result.inputPath = argv[next];
  return result;
}

}  // namespace morlune
