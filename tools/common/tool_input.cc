#include "tools/common/tool_input.h"

#include <cerrno>

#include "platform/file_io.h"

namespace morlune {

InputBytes ReadToolInput(const char* path, const ToolStreams& streams) {
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
    input = ReadAllFrom(fd);
    CloseFd(fd);
  } else if (streams.inputData != nullptr) {
    input.bytes.assign(streams.inputData, streams.inputData + streams.inputSize);
  } else {
    UseUntranslatedBytes(streams.inputFd);
    input = ReadAllFrom(streams.inputFd);
  }
  return input;
}

}  // namespace morlune
