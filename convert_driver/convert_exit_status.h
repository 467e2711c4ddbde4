// The exit statuses of morlune-convert, those of morlune-compile.
#pragma once

#include "platform/error_text.h"

namespace morlune::convert {

inline constexpr int kExitWritten = 0;
// The input's content was refused, or --strict met a loss: nothing written.
inline constexpr int kExitContentRefused = 1;
// The command line is wrong, or the input cannot be read.
inline constexpr int kExitBadCommand = 2;
inline constexpr int kExitNotWritten = kExitOutputNotWritten;

}  // namespace morlune::convert
