// The exit statuses of morlune-convert, by the names its run uses.
#pragma once

#include "tools/common/tool_exit_status.h"

namespace morlune::convert {

inline constexpr int kExitWritten = kToolExitDone;
// The input's content was refused, or --strict met a loss: nothing written.
inline constexpr int kExitContentRefused = kToolExitRefused;
inline constexpr int kExitBadCommand = kToolExitUsage;
inline constexpr int kExitNotWritten = kExitOutputNotWritten;

}  // namespace morlune::convert
