// The words of a failed write, the same in every tool's error line.
#pragma once

#include <string>

namespace morlune {

// The system's own words for an error number (the C library's text, as no
// tool sets a locale).
std::string SystemReason(int errorNumber);

// "Write error", then ": " and the system's reason for errorNumber (as
// TextOutput::FailureErrno gives it), or "Write error" alone for 0. A tool
// writes it as "TOOL: TEXT.", like its other error lines.
std::string WriteErrorText(int errorNumber);

}  // namespace morlune
