// A whole input read into memory: a regular file into room of its own size,
// anything else in growing blocks up to its end.
#pragma once

#include <cstddef>
#include <limits>
#include <vector>

namespace morlune {

struct InputBytes {
  std::vector<unsigned char> bytes;
  int error = 0;          // the system's error number when reading failed (ENOMEM: no room for it)
  bool opened = true;     // false: the path could not be opened (error says why)
  bool tooLarge = false;  // the input goes on past the most bytes asked for; bytes holds none
};

// Reads everything from the descriptor, or stops once more than `most`
// bytes have come (tooLarge).
InputBytes ReadAllFrom(int fd, std::size_t most = std::numeric_limits<std::size_t>::max());

}  // namespace morlune
