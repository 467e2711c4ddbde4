// The exit statuses of morlune-compile, morlune-draw, morlune-check and
// morlune-convert: the same numbers for the same outcomes in every tool.
#pragma once

namespace morlune {

// The work was done, with or without warnings (--help and --version too).
inline constexpr int kToolExitDone = 0;
// The input's content was refused, or the checker found something at or
// above --fail-on; nothing was written. morlune-draw also gives it for a
// font it cannot open or read.
inline constexpr int kToolExitRefused = 1;
// The command line is wrong, or an input cannot be read.
inline constexpr int kToolExitUsage = 2;
// The output could not be created or written; morlune itself gives the
// same number.
inline constexpr int kExitOutputNotWritten = 3;

}  // namespace morlune
