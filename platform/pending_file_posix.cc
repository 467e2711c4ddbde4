// The new file takes the mode of the file it replaces, or the mode a new
// file would get; rename gives it the name in one step.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_io.h"
#include "platform/pending_file.h"

namespace morlune {

int OpenPendingFile(const char* path, PendingFile& file) {
  struct stat info;
  bool exists = ::lstat(path, &info) == 0;
  if (exists && !S_ISREG(info.st_mode)) {
    file.fd = OpenForWriting(path);
    return file.fd < 0 ? errno : 0;
  }
  for (int attempt = 0;; ++attempt) {
    file.partPath = std::string(path) + ".part" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    file.fd = ::open(file.partPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file.fd >= 0) break;
    if (errno != EEXIST || attempt == 99) {
      int error = errno;
      file.partPath.clear();
      return error;
    }
  }
  if (exists) ::fchmod(file.fd, info.st_mode & 07777);
  return 0;
}

int CommitPendingFile(const PendingFile& file, const char* path) {
  if (file.partPath.empty() || ::rename(file.partPath.c_str(), path) == 0) return 0;
  int error = errno;
  DiscardPendingFile(file);
  return error;
}

void DiscardPendingFile(const PendingFile& file) {
  if (!file.partPath.empty()) ::unlink(file.partPath.c_str());
}

}  // namespace morlune
