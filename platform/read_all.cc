// Blocks of at least 64 KiB, each half again the bytes read so far, so that
// a pipe of unknown length is read in few calls and little copying.
#include "platform/read_all.h"

#include <cerrno>

#include "platform/file_io.h"

namespace morlune {

InputBytes ReadAllFrom(int fd) {
  InputBytes input;
  constexpr std::size_t kBlock = 1 << 16;
  std::size_t size = 0;
  for (;;) {
    if (input.bytes.size() - size < kBlock) input.bytes.resize(size + kBlock + size / 2);
    long got = ReadFd(fd, input.bytes.data() + size, input.bytes.size() - size);
    if (got == 0) break;
    if (got < 0) {
      input.error = errno != 0 ? errno : EIO;
      break;
    }
    size += static_cast<std::size_t>(got);
  }
  input.bytes.resize(size);
  return input;
}

}  // namespace morlune
