// Attaches a text stream to where a run's standard output or error leads.
#pragma once

#include <string>

#include "tools/common/tool_streams.h"

namespace morlune {

// The stream is a text stream: it writes the platform's line end, and so
// does an -o file that later takes the stream's place.
inline void AttachStandardStream(TextOutput& stream, int fd, std::string* capture) {
  stream.SetCrLfLineEnds(TextLineEndIsCrLf());
  AttachToolStream(stream, fd, capture);
}

}  // namespace morlune
