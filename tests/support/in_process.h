// A tool's whole run in-process: its arguments, standard input from bytes in
// memory, standard output captured (or sent to a descriptor) and standard
// error captured.
#pragma once

#include <string>
#include <vector>

#include "tools/common/tool_streams.h"
#include "tests/support/process_run.h"

namespace morlune::testing {

// args[0] is the program's name; run is RunMorlune or a tool's like it.
template <typename Run>
ProcessResult RunInProcess(Run run, const std::vector<std::string>& args, const std::string& input = "",
                           int outputFd = -1) {
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  ProcessResult result;
  ToolStreams streams;
  streams.inputData = reinterpret_cast<const unsigned char*>(input.data());
  streams.inputSize = input.size();
  if (outputFd >= 0) {
    streams.outputFd = outputFd;
  } else {
    streams.outputCapture = &result.out;
  }
  streams.errorCapture = &result.err;
  result.status = run(static_cast<int>(argv.size()), argv.data(), streams);
  return result;
}

}  // namespace morlune::testing
