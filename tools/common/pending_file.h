// An output file written whole or not at all: the text goes to a new file
// beside the named one, and takes the name only once it is complete, so a
// failed run leaves the file as it was. A path that names anything but a
// regular file (a link, a device, a pipe) is written in place.
//
// While the new file is open, a run ended from outside (SIGINT, SIGTERM or
// SIGHUP; Ctrl-C, Ctrl-Break or a closed console on Windows) removes it
// before the process goes, so that no stray file is left beside the named
// one and the named one keeps its old content.
#pragma once

#include <string>

namespace morlune {

struct PendingFile {
  int fd = -1;
  std::string partPath;  // the new file beside; empty when written in place
  bool inPlace = false;  // the path itself is written (not a regular file)
};

// Opens the descriptor to write to. Returns 0, or the system's error number
// (file.inPlace then tells whether the path itself or the new file beside
// it could not be made).
int OpenPendingFile(const char* path, PendingFile& file);
// With the descriptor closed: gives the new file the name. Returns 0, or
// the system's error number (the new file is removed then).
int CommitPendingFile(const PendingFile& file, const char* path);
// With the descriptor closed: removes the new file.
void DiscardPendingFile(const PendingFile& file);
// Removes the new file of a run that cannot go on to its end (the system
// refused it memory), if one is open.
void RemoveOpenPendingFile();

}  // namespace morlune
