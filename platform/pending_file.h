// An output file written whole or not at all: the text goes to a new file
// beside the named one, and takes the name only once it is complete, so a
// failed run leaves the file as it was. A path that names anything but a
// regular file (a link, a device, a pipe) is written in place.
#pragma once

#include <string>

namespace morlune {

struct PendingFile {
  int fd = -1;
  std::string partPath;  // the new file beside; empty when written in place
};

// Opens the descriptor to write to. Returns 0, or the system's error number.
int OpenPendingFile(const char* path, PendingFile& file);
// With the descriptor closed: gives the new file the name. Returns 0, or
// the system's error number (the new file is removed then).
int CommitPendingFile(const PendingFile& file, const char* path);
// With the descriptor closed: removes the new file.
void DiscardPendingFile(const PendingFile& file);

}  // namespace morlune
