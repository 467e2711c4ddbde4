// The exit statuses of morlune-draw.
#pragma once

#include "platform/error_text.h"

namespace morlune {

// Something was drawn or listed, warnings or not (--help and --version too).
inline constexpr int kDrawExitDone = 0;
// The input cannot be opened or read, or is not a compiled shape font.
inline constexpr int kDrawExitNoFont = 1;
// The command line asks for something morlune-draw does not do.
inline constexpr int kDrawExitUsage = 2;
// The output cannot be created or written.
inline constexpr int kDrawExitOutputNotWritten = kExitOutputNotWritten;

}  // namespace morlune
