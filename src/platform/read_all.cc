// A regular file's size is known: it is read into room of that size and a
// byte more (to see its end at once), not into blocks grown, filled and
// copied again and again, which took twice a large file's size. A pipe is
// read in blocks of at least 64 KiB, each half again the bytes read so far.
// Room the system cannot give is an error of the read, not the end of the
// program.
#include "platform/read_all.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "platform/file_io.h"

namespace morlune {

InputBytes ReadAllFrom(int fd, std::size_t most) {
  InputBytes input;
  constexpr std::size_t kBlock = 1 << 16;
  std::int64_t known = RegularFileSize(fd);
  if (known >= 0 && static_cast<std::uint64_t>(known) > most) {
    input.tooLarge = true;
    return input;
  }
  // Past `most`, one byte more tells that the input goes on.
  std::size_t ceiling = most == std::numeric_limits<std::size_t>::max() ? most : most + 1;
  std::size_t size = 0;
  try {
    if (known >= 0) input.bytes.resize(static_cast<std::size_t>(known) + 1);
    for (;;) {
      if (size == input.bytes.size()) {
        if (size == ceiling) {
          input.tooLarge = true;
          break;
        }
        input.bytes.resize(std::min(ceiling, size + kBlock + size / 2));
      }
      long got = ReadFd(fd, input.bytes.data() + size, input.bytes.size() - size);
      if (got == 0) break;
      if (got < 0) {
        input.error = errno != 0 ? errno : EIO;
        break;
      }
      size += static_cast<std::size_t>(got);
    }
  } catch (const std::bad_alloc&) {
    input.error = ENOMEM;
  }
  if (input.tooLarge || input.error == ENOMEM) {
    std::vector<unsigned char>().swap(input.bytes);
  } else {
    input.bytes.resize(size);
  }
  return input;
}

}  // namespace morlune
