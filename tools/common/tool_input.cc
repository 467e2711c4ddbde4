// A tool's input read whole, from a file or the run's standard input.
#include "tools/common/tool_input.h"

#include <cerrno>

#include "platform/error_text.h"
#include "platform/file_io.h"

namespace morlune {

InputBytes ReadToolInput(const char* path, const ToolStreams& streams, std::size_t most) {
  InputBytes input;
  if (path != nullptr) {
    errno = 0;
    int fd = OpenForReading(path);
    if (fd < 0) {
      // A folder opens, then is refused with no error number of its own.
      input.opened = false;
      input.error = errno != 0 ? errno : EISDIR;
      return input;
    }
    input = ReadAllFrom(fd, most);
    CloseFd(fd);
  } else if (streams.inputData != nullptr) {
    input.tooLarge = streams.inputSize > most;
    if (!input.tooLarge) input.bytes.assign(streams.inputData, streams.inputData + streams.inputSize);
  } else {
    UseUntranslatedBytes(streams.inputFd);
    input = ReadAllFrom(streams.inputFd, most);
  }
  return input;
}

std::string InputFailureText(const InputBytes& input) {
  return std::string(InputFailure(input)) + ": " + SystemReason(input.error);
}

}  // namespace morlune
