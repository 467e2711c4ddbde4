// The standard error stream sent to /dev/null and back, on POSIX systems.
#include "platform/quiet_standard_error.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace morlune {

QuietStandardError::QuietStandardError() {
  // What the process wrote before goes out first, not into the void.
  std::fflush(stderr);
  saved_ = fcntl(2, F_DUPFD_CLOEXEC, 3);
  if (saved_ < 0) return;
  int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (nowhere < 0) return;
  dup2(nowhere, 2);
  close(nowhere);
}

QuietStandardError::~QuietStandardError() {
  if (saved_ < 0) return;
  std::fflush(stderr);
  dup2(saved_, 2);
  close(saved_);
}

}  // namespace morlune
