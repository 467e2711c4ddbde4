// Attaches a text stream to where a run's standard output or error leads.
#pragma once

#include <string>

#include "platform/text_output.h"

namespace morlune {

inline void AttachStandardStream(TextOutput& stream, int fd, std::string* capture) {
  if (capture != nullptr) {
    stream.AttachCapture(capture);
  } else if (fd >= 0) {
    stream.AttachFd(fd, false);
  } else {
    stream.AttachNothing();
  }
}

}  // namespace morlune
