// A scratch file is deleted on close: the system removes it as the last
// handle goes, the process's end included.
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <windows.h>

#include <cerrno>

#include "platform/scratch_file.h"

namespace morlune {

int ErrnoOfCreateFailure(unsigned long error) {
  switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return ENOENT;
    case ERROR_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

int OpenScratchFile(const std::string& folder, int& fd) {
  std::string base = folder.empty() ? std::string(".") : folder;
  if (base.back() != '\\' && base.back() != '/') base += '\\';
  for (int attempt = 0;; ++attempt) {
    std::string path = base + "morlune-held-" + std::to_string(::_getpid()) + "-" + std::to_string(attempt) + ".tmp";
    // Deleted on close: the system removes it as the last handle goes,
    // the process's end included.
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      int error = ErrnoOfCreateFailure(::GetLastError());
      if (error != EEXIST || attempt == 99) return error;
      continue;
    }
    fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDWR | _O_BINARY);
    if (fd < 0) {
      ::CloseHandle(handle);
      return EMFILE;
    }
    return 0;
  }
}

std::string TemporaryFolder() {
  char folder[MAX_PATH + 1];
  DWORD length = ::GetTempPathA(sizeof folder, folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string(".");
}

}  // namespace morlune
