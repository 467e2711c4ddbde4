// Where one run of a tool takes its standard streams from: the process's
// descriptors, or, for tests and in-process runs, strings and bytes in
// memory. The same for the three tools.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/text_output.h"

namespace morlune {

// A capture string, where given, takes the stream's text instead of the
// descriptor; a descriptor of -1 with no capture discards it. Input bytes in
// memory, where given, stand in for the standard input descriptor.
struct ToolStreams {
  int inputFd = kStandardInputFd;
  const unsigned char* inputData = nullptr;
  std::size_t inputSize = 0;
  int outputFd = kStandardOutputFd;
  std::string* outputCapture = nullptr;
  int errorFd = kStandardErrorFd;
  std::string* errorCapture = nullptr;
  // The arguments in UTF-8, where the system hands main another code page
  // (morlune-draw takes the text of --text from them).
  const std::vector<std::string>* utf8Arguments = nullptr;
};

// Attaches an output stream to where the run's streams say it leads.
inline void AttachToolStream(TextOutput& stream, int fd, std::string* capture) {
  if (capture != nullptr) {
    stream.AttachCapture(capture);
  } else if (fd >= 0) {
    stream.AttachFd(fd, false);
  } else {
    stream.AttachNothing();
  }
}

}  // namespace morlune
