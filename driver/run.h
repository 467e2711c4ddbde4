// One whole run of morlune, callable in-process: the arguments and the
// standard streams in, the exit status out.
#pragma once

#include <cstddef>
#include <string>

#include "platform/file_io.h"

namespace morlune {

// Where a run's standard streams lead. A capture string, where given, takes
// the stream's text instead of the descriptor; a descriptor of -1 with no
// capture discards it. Input bytes in memory, where given, stand in for the
// standard input descriptor.
struct RunStreams {
  int inputFd = kStandardInputFd;
  const unsigned char* inputData = nullptr;
  std::size_t inputSize = 0;
  int outputFd = kStandardOutputFd;
  std::string* outputCapture = nullptr;
  int errorFd = kStandardErrorFd;
  std::string* errorCapture = nullptr;
};

// Runs morlune with argv[0..argc) (argv[0] being the program's name) from a
// fresh state, and returns the exit status. Everything it opened is closed
// and everything it wrote is flushed when it returns.
int RunMorlune(int argc, const char* const* argv, const RunStreams& streams);

}  // namespace morlune
