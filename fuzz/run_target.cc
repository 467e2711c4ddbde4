// Fuzz target: one whole run over a compiled font held in memory. The first
// byte picks the option set; the rest is the font, read as standard input.
// Output and errors are thrown away.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "driver/exit_status.h"
#include "driver/run.h"
#include "platform/file_io.h"

namespace {

// Low two bits of the first byte: none, -d, -e, or both.
const char* const kOptionSets[4] = {nullptr, "-d", "-e", "-de"};

#ifdef _WIN32
constexpr char kNullDevice[] = "NUL";
#else
constexpr char kNullDevice[] = "/dev/null";
#endif

// Output and errors go to the null device rather than nowhere, so that
// every byte a run writes passes through the system's write call, where
// valgrind checks that each one was set. Opened once for all runs.
int NullDevice() {
  static const int fd = morlune::OpenForWriting(kNullDevice);
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char* options = kOptionSets[data[0] & 3];
  const char* argv[3] = {"morlune", options, nullptr};
  int argc = options != nullptr ? 2 : 1;

  morlune::ToolStreams streams;
  streams.inputData = data + 1;
  streams.inputSize = size - 1;
  streams.outputFd = NullDevice();
  streams.errorFd = NullDevice();
  int status = morlune::RunMorlune(argc, argv, streams);
  // A font run ends only as recognised or not recognised.
  if (status != morlune::kExitRecognised && status != morlune::kExitNotRecognised) std::abort();
  return 0;
}
