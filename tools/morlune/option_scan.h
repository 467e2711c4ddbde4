// The option grammar: morlune [-?de] [-o output] [input].
#pragma once

#include "tools/common/tool_exit_status.h"
#include "tools/morlune/dump_context.h"
#include "tools/morlune/run.h"

namespace morlune {

struct OptionScanResult {
  // Set when a letter ended the run, with the run's exit status.
  bool endRun = false;
  ExitStatus status = ExitStatus::kDone;
  // The input path, or null to read standard input.
  const char* inputPath = nullptr;
};

// Scans the options from argv[1] on, acting on each letter in its order:
// sets the flags, opens the -o file as the run's output (refused, as one
// that cannot be opened, when it is the input file itself), prints the usage
// or the synopsis reply. When a letter ends the run, endRun is set with the
// exit status; otherwise inputPath is the first argument that does not
// begin with "-", if any.
OptionScanResult ScanOptions(DumpContext& context, int argc, const char* const* argv,
                             const ToolStreams& streams);

}  // namespace morlune
