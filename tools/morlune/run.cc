// The order of one run: messages ready, options, streams, banner, variant,
// font body, output written out, exit status.
#include "tools/morlune/run.h"

#include "tools/morlune/dump_context.h"
#include "tools/common/tool_exit_status.h"
#include "tools/morlune/message_catalog.h"
#include "tools/morlune/option_scan.h"
#include "tools/morlune/standard_streams.h"
#include "fontfile/signature.h"
#include "source/font_source.h"

namespace morlune {
namespace {

constexpr std::size_t kHeldBigfontLimit = (std::size_t{1} << 31) + 65536;

// Unloads the message library however the run ends, so that many runs can
// share one process.
struct LibraryGuard {
  DumpContext& context;
  ~LibraryGuard() {
    UnloadMessageLibrary(context.resourceLibrary);
    context.resourceLibrary = nullptr;
  }
};

// Writes the source text of the recognised font and reports a refused head
// or a failed seek.
void DumpFontBody(DumpContext& context) {
  FontReader reader(context.input, *context.kind);
  SourceWriter writer(context.output);
  FontSourceEnd end = WriteFontSource(reader, writer, {context.decimalCodes != 0, context.escapedNames != 0});
  switch (end.head) {
    case HeadResult::kReady:
      break;
    case HeadResult::kNoShapeIndex:
      ReportMessage(context, IDS_NO_SHAPE_INDEX);
      break;
    case HeadResult::kNoHashTable:
      ReportMessage(context, IDS_NO_HASH_TABLE);
      break;
    case HeadResult::kBadEntrySize:
      ReportMessage(context, IDS_BAD_ENTRY_SIZE);
      break;
  }
  if (end.seekFailed) ReportError(context, kSeekErrorText);
}

ExitStatus Run(DumpContext& context, int argc, const char* const* argv, const ToolStreams& streams) {
  context.resourceLibrary = LoadMessageLibrary();
  LibraryGuard guard{context};
  context.usageSynopsis = LoadMessage(context, IDS_USAGE_SYNOPSIS);

  OptionScanResult scan = ScanOptions(context, argc, argv, streams);
  if (scan.endRun) return scan.status;

  if (scan.inputPath != nullptr) {
    int fd = OpenForReading(scan.inputPath);
    if (fd < 0) {
      ReportMessage(context, IDS_CANNOT_OPEN_INPUT);
      return ExitStatus::kRefused;
    }
    context.input.AttachFd(fd, true);
    UseUntranslatedBytes(fd);
  } else if (streams.inputData != nullptr) {
    context.input.AttachMemory(streams.inputData, streams.inputSize);
  } else {
    UseUntranslatedBytes(streams.inputFd);
    context.input.AttachFd(streams.inputFd, false);
  }

  WriteFormatText(context.output, LoadMessage(context, IDS_BANNER));

  context.kind = IdentifyShapeFile(context.input);
  if (!context.kind) {
    ReportMessage(context, IDS_NOT_A_FONT_FILE);
    return ExitStatus::kRefused;
  }
  if (context.kind == Variant::kShapes10) ReportMessage(context, IDS_OLD_REVISION);
  // A bigfont's records are reached by their offsets, which a pipe cannot
  // seek to: its bytes are held in memory instead, as far as an offset
  // can reach (below 2^31) and one record's greatest length past it.
  if (context.kind == Variant::kBigfont) context.input.HoldWholeInput(kHeldBigfontLimit);

  DumpFontBody(context);
  return ExitStatus::kDone;
}

}  // namespace

int RunMorlune(int argc, const char* const* argv, const ToolStreams& streams) {
  DumpContext context;
  AttachStandardStream(context.output, streams.outputFd, streams.outputCapture);
  AttachStandardStream(context.errors, streams.errorFd, streams.errorCapture);
  ExitStatus status = Run(context, argc, argv, streams);
  // A text cut short by a full disk or a closed pipe must not pass as a
  // whole one, whatever else the run found.
  context.output.Finish();
  if (ReportWriteFailure(context, context.output)) status = ExitStatus::kOutputNotWritten;
  context.errors.Flush();
  return ExitNumber(status);
}

}  // namespace morlune
