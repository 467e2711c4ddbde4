// A whole input read into memory, in growing blocks up to its end.
#pragma once

#include <vector>

namespace morlune {

struct InputBytes {
  std::vector<unsigned char> bytes;
  int error = 0;        // the system's error number when reading failed
  bool opened = true;   // false: the path could not be opened (error says why)
};

// Reads everything from the descriptor.
InputBytes ReadAllFrom(int fd);

}  // namespace morlune
