// The new file is moved over the named one when it is complete.
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "platform/file_io.h"
#include "platform/pending_file.h"

namespace morlune {

int OpenPendingFile(const char* path, PendingFile& file) {
  struct _stat64 info;
  if (::_stat64(path, &info) == 0 && (info.st_mode & _S_IFREG) == 0) {
    file.fd = OpenForWriting(path);
    return file.fd < 0 ? errno : 0;
  }
  for (int attempt = 0;; ++attempt) {
    file.partPath = std::string(path) + ".part" + std::to_string(::_getpid()) + "-" + std::to_string(attempt);
    file.fd = ::_open(file.partPath.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                      _S_IREAD | _S_IWRITE);
    if (file.fd >= 0) return 0;
    if (errno != EEXIST || attempt == 99) {
      int error = errno;
      file.partPath.clear();
      return error;
    }
  }
}

int CommitPendingFile(const PendingFile& file, const char* path) {
  if (file.partPath.empty()) return 0;
  if (::MoveFileExA(file.partPath.c_str(), path, MOVEFILE_REPLACE_EXISTING)) return 0;
  int error = ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
  DiscardPendingFile(file);
  return error;
}

void DiscardPendingFile(const PendingFile& file) {
  if (!file.partPath.empty()) ::_unlink(file.partPath.c_str());
}

}  // namespace morlune
