// The input of morlune-draw as the bytes of a compiled font, held whole in
// memory.
#pragma once

#include <string>
#include <vector>

namespace morlune {

struct InputBytes {
  std::vector<unsigned char> bytes;
  int error = 0;        // the system's error number when reading failed
  bool opened = true;   // false: the path could not be opened (error says why)
};

// Reads everything from the descriptor.
InputBytes ReadAllFrom(int fd);

// The compiled font that the input stands for. Every input is taken as a
// compiled font for now; this is the one place where shape source text
// would be compiled first.
std::vector<unsigned char> CompiledFontBytes(std::vector<unsigned char> input);

}  // namespace morlune
