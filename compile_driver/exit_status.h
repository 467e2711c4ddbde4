// The exit statuses of morlune-compile.
#pragma once

#include "platform/error_text.h"

namespace morlune {

// The font was written, with or without warnings.
inline constexpr int kExitFontWritten = 0;
// The text has errors; nothing was written.
inline constexpr int kExitTextErrors = 1;
// The command line is wrong, or the source cannot be read.
inline constexpr int kExitBadCommand = 2;
// The font could not be written (the same number in every morlune tool).
inline constexpr int kExitFontNotWritten = kExitOutputNotWritten;

}  // namespace morlune
