// The exit statuses: whether the run got as far as recognising the file, and
// whether its text could be written.
#pragma once

#include "tools/common/tool_exit_status.h"

namespace morlune {

// The variant was recognised; the dump ended, however it ended.
inline constexpr int kExitRecognised = 0;
// The run ended before the variant was known: usage shown, bad option
// letter, output or input not opened, or signature not recognised.
inline constexpr int kExitNotRecognised = 1;
// A write of the output (or of the usage text) was refused: whatever the
// run had found, the text it leaves is cut short. The number is the one
// every morlune tool gives for output that cannot be written.
inline constexpr int kExitWriteFailed = kExitOutputNotWritten;

}  // namespace morlune
