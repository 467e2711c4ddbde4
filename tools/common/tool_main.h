// The entry of a tool around its run: the one failure that a run cannot
// report through its own steps, the system refusing it memory (an input
// near the machine's memory in size), ends the run with a line on standard
// error, the new output file removed and the status of an input that
// cannot be read, not with an abort.
#pragma once

#include <new>
#include <string_view>

#include "platform/file_io.h"
#include "tools/common/pending_file.h"
#include "tools/common/tool_exit_status.h"

namespace morlune {

template <typename Run>
int RunToolMain(std::string_view tool, ExitStatus outOfMemoryStatus, Run run) {
  try {
    return run();
  } catch (const std::bad_alloc&) {
    RemoveOpenPendingFile();
    // Written as it stands: there is no room to build a line in.
    constexpr std::string_view kSays = ": out of memory\n";
    WriteFd(kStandardErrorFd, tool.data(), tool.size());
    WriteFd(kStandardErrorFd, kSays.data(), kSays.size());
    return ExitNumber(outOfMemoryStatus);
  }
}

}  // namespace morlune
