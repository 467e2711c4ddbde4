// Reading the whole input: in growing blocks, up to the end of input.
#include "draw_driver/font_input.h"

#include <cerrno>
#include <utility>

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

std::vector<unsigned char> CompiledFontBytes(std::vector<unsigned char> input) { return input; }

}  // namespace morlune
