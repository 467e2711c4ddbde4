// The exit statuses of morlune-check.
#pragma once

#include "platform/error_text.h"

namespace morlune {

// Nothing at or above --fail-on was found (--help and --version too).
inline constexpr int kCheckExitClean = 0;
// A finding at or above --fail-on.
inline constexpr int kCheckExitFindings = 1;
// A bad command line, or an input that could not be read.
inline constexpr int kCheckExitUsage = 2;
// The output cannot be created or written.
inline constexpr int kCheckExitOutputNotWritten = kExitOutputNotWritten;

}  // namespace morlune
