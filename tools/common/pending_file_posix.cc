// The new file takes the mode of the file it replaces, or the mode a new
// file would get; rename gives it the name in one step. A signal that ends
// the run while the new file is open removes it first, then ends the run as
// the signal would have.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/file_io.h"
#include "tools/common/pending_file.h"

namespace morlune {
namespace {

// The signals by which a user or the system ends a run from outside.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kEndingSignalCount = sizeof kEndingSignals / sizeof kEndingSignals[0];

// The new file a signal must remove, null when none is open. The handler
// sees the text only once it is whole: the pointer is set after the text
// and cleared before it changes.
std::string armedPathText;
std::atomic<const char*> armedPath{nullptr};
struct sigaction earlierActions[kEndingSignalCount];
bool handlersInstalled[kEndingSignalCount] = {};

extern "C" void RemoveNewFileAndEnd(int signal) {
  if (const char* path = armedPath.load()) ::unlink(path);
  // The signal's own end (the status that tells which signal it was), as if
  // this handler had never been there.
  for (int i = 0; i < kEndingSignalCount; ++i) {
    if (kEndingSignals[i] == signal) ::sigaction(signal, &earlierActions[i], nullptr);
  }
  ::raise(signal);
}

void Arm(const std::string& partPath) {
  armedPathText = partPath;
  armedPath.store(armedPathText.c_str());
  struct sigaction action = {};
  action.sa_handler = RemoveNewFileAndEnd;
  ::sigemptyset(&action.sa_mask);
  for (int signal : kEndingSignals) ::sigaddset(&action.sa_mask, signal);
  for (int i = 0; i < kEndingSignalCount; ++i) {
    // A signal the run was told to ignore (as under nohup) stays ignored.
    if (::sigaction(kEndingSignals[i], nullptr, &earlierActions[i]) != 0 ||
        earlierActions[i].sa_handler == SIG_IGN) {
      continue;
    }
    handlersInstalled[i] = ::sigaction(kEndingSignals[i], &action, nullptr) == 0;
  }
}

void Disarm() {
  for (int i = 0; i < kEndingSignalCount; ++i) {
    if (handlersInstalled[i]) ::sigaction(kEndingSignals[i], &earlierActions[i], nullptr);
    handlersInstalled[i] = false;
  }
  armedPath.store(nullptr);
}

}  // namespace

int OpenPendingFile(const char* path, PendingFile& file) {
  struct stat info;
  bool exists = ::lstat(path, &info) == 0;
  if (exists && !S_ISREG(info.st_mode)) {
    file.inPlace = true;
    file.fd = OpenForWriting(path);
    return file.fd < 0 ? errno : 0;
  }
  // The new file is made and its removal armed with the ending signals
  // held back, so that no signal can come between the two.
  sigset_t ending, earlier;
  ::sigemptyset(&ending);
  for (int signal : kEndingSignals) ::sigaddset(&ending, signal);
  ::sigprocmask(SIG_BLOCK, &ending, &earlier);
  int error = 0;
  for (int attempt = 0;; ++attempt) {
    file.partPath = std::string(path) + ".part" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    file.fd = ::open(file.partPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file.fd >= 0) {
      Arm(file.partPath);
      break;
    }
    if (errno != EEXIST || attempt == 99) {
      error = errno;
      file.partPath.clear();
      break;
    }
  }
  ::sigprocmask(SIG_SETMASK, &earlier, nullptr);
  if (error == 0 && exists) ::fchmod(file.fd, info.st_mode & 07777);
  return error;
}

int CommitPendingFile(const PendingFile& file, const char* path) {
  if (file.partPath.empty()) return 0;
  // Disarmed only once renamed: a signal in between finds no new file, and
  // the named one is already whole.
  int error = ::rename(file.partPath.c_str(), path) == 0 ? 0 : errno;
  if (error != 0) ::unlink(file.partPath.c_str());
  Disarm();
  return error;
}

void RemoveOpenPendingFile() {
  if (const char* path = armedPath.load()) ::unlink(path);
  Disarm();
}

void DiscardPendingFile(const PendingFile& file) {
  if (file.partPath.empty()) return;
  ::unlink(file.partPath.c_str());
  Disarm();
}

}  // namespace morlune
