// One whole run of morlune-draw, callable in-process: the arguments and the
// standard streams in, the exit status out.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_io.h"

namespace morlune {

// Where the run's standard streams lead. A capture string, where given,
// takes the stream's text instead of the descriptor; a descriptor of -1
// with no capture discards it. Input bytes in memory, where given, stand in
// for the standard input descriptor.
struct DrawStreams {
  int inputFd = kStandardInputFd;
  const unsigned char* inputData = nullptr;
  std::size_t inputSize = 0;
  int outputFd = kStandardOutputFd;
  std::string* outputCapture = nullptr;
  int errorFd = kStandardErrorFd;
  std::string* errorCapture = nullptr;
  // The arguments in UTF-8, where the system hands main another code page:
  // the text of --text is taken from them.
  const std::vector<std::string>* utf8Arguments = nullptr;
};

int RunMorluneDraw(int argc, const char* const* argv, const DrawStreams& streams);

}  // namespace morlune
