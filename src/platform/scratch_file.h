// A file for text that must wait before it goes out, read back within the
// same run, in a folder the caller names or the system's temporary one.
#pragma once

#include <string>

namespace morlune {

// A file for text that must wait before it goes out (what comes before it
// is known only once it is all made), read back within the same run: a new
// file in folder, open for reading and writing, that leaves no name behind
// (the system removes it when it is closed or the run ends, however it
// ends). Returns 0 with fd set, or the system's error number.
int OpenScratchFile(const std::string& folder, int& fd);
// The system's folder for temporary files: TMPDIR or /tmp, the user's
// temporary folder on Windows.
std::string TemporaryFolder();

#if defined(_WIN32)
// The errno value for a failure of CreateFile: its GetLastError().
int ErrnoOfCreateFailure(unsigned long error);
#endif

}  // namespace morlune
