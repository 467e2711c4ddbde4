// A scratch file loses its name as soon as it is made, with the signals that
// end a run held back so that none can come between the two and leave it
// behind.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/scratch_file.h"

namespace morlune {

int OpenScratchFile(const std::string& folder, int& fd) {
  std::string path = (folder.empty() ? std::string(".") : folder) + "/.morlune-held-XXXXXX";
  sigset_t ending, earlier;
  ::sigemptyset(&ending);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaddset(&ending, signal);
  ::sigprocmask(SIG_BLOCK, &ending, &earlier);
  fd = ::mkstemp(path.data());
  int error = fd < 0 ? errno : 0;
  if (fd >= 0) ::unlink(path.c_str());
  ::sigprocmask(SIG_SETMASK, &earlier, nullptr);
  if (fd >= 0) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  return error;
}

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

}  // namespace morlune
