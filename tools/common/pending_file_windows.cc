// The new file is moved over the named one when it is complete. It is
// opened with delete sharing, so that a console control event (Ctrl-C,
// Ctrl-Break, a closed console) can remove it while the run still holds it:
// the system drops it as the process ends.
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <atomic>
#include <cerrno>

#include "platform/file_io.h"
#include "platform/scratch_file.h"
#include "tools/common/pending_file.h"

namespace morlune {
namespace {

// The new file a control event must remove, null when none is open; the
// pointer is set after the text and cleared before it changes.
std::string armedPathText;
std::atomic<const char*> armedPath{nullptr};

// Runs on a thread of its own; returning FALSE hands the event on to the
// system's handler, which ends the process.
BOOL WINAPI RemoveNewFileAndEnd(DWORD event) {
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT ||
      event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    if (const char* path = armedPath.load()) ::DeleteFileA(path);
  }
  return FALSE;
}

void Arm(const std::string& partPath) {
  armedPathText = partPath;
  armedPath.store(armedPathText.c_str());
  ::SetConsoleCtrlHandler(RemoveNewFileAndEnd, TRUE);
}

void Disarm() {
  ::SetConsoleCtrlHandler(RemoveNewFileAndEnd, FALSE);
  armedPath.store(nullptr);
}

// A new file that must not exist yet, as a C runtime descriptor; -1 with
// errno set when it cannot be made.
int CreateNewFile(const std::string& path) {
  HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = ErrnoOfCreateFailure(::GetLastError());
    return -1;
  }
  int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    ::CloseHandle(handle);
    ::DeleteFileA(path.c_str());
    errno = EMFILE;
  }
  return fd;
}

}  // namespace

int OpenPendingFile(const char* path, PendingFile& file) {
  struct _stat64 info;
  if (::_stat64(path, &info) == 0 && (info.st_mode & _S_IFREG) == 0) {
    file.inPlace = true;
    file.fd = OpenForWriting(path);
    return file.fd < 0 ? errno : 0;
  }
  for (int attempt = 0;; ++attempt) {
    file.partPath = std::string(path) + ".part" + std::to_string(::_getpid()) + "-" + std::to_string(attempt);
    file.fd = CreateNewFile(file.partPath);
    if (file.fd >= 0) {
      Arm(file.partPath);
      return 0;
    }
    if (errno != EEXIST || attempt == 99) {
      int error = errno;
      file.partPath.clear();
      return error;
    }
  }
}

int CommitPendingFile(const PendingFile& file, const char* path) {
  if (file.partPath.empty()) return 0;
  int error = 0;
  if (!::MoveFileExA(file.partPath.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
    error = ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    ::DeleteFileA(file.partPath.c_str());
  }
  Disarm();
  return error;
}

void RemoveOpenPendingFile() {
  if (const char* path = armedPath.load()) ::DeleteFileA(path);
  Disarm();
}

void DiscardPendingFile(const PendingFile& file) {
  if (file.partPath.empty()) return;
  ::_unlink(file.partPath.c_str());
  Disarm();
}

}  // namespace morlune
