// One whole run of morlune-compile, callable in-process: the arguments and
// the standard streams in, the exit status out.
#pragma once

#include <cstddef>
#include <string>

#include "platform/file_io.h"

namespace morlune {

// Where a run's standard streams lead. A capture string, where given, takes
// the stream's bytes instead of the descriptor. Source bytes in memory,
// where given, stand in for the standard input descriptor.
struct CompileStreams {
  int inputFd = kStandardInputFd;
  const unsigned char* inputData = nullptr;
  std::size_t inputSize = 0;
  int outputFd = kStandardOutputFd;
  std::string* outputCapture = nullptr;
  int errorFd = kStandardErrorFd;
  std::string* errorCapture = nullptr;
};

// Runs morlune-compile with argv[0..argc) and returns the exit status.
int RunMorluneCompile(int argc, const char* const* argv, const CompileStreams& streams);

}  // namespace morlune
