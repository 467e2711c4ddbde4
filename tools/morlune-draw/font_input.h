// The input of morlune-draw as the bytes of a compiled font, held whole in
// memory.
#pragma once

#include <string>
#include <vector>

#include "platform/read_all.h"
#include "source/diagnostics.h"

namespace morlune {

struct FontFromInput {
  std::vector<unsigned char> bytes;  // a compiled font, or the input as it came
  bool fromSource = false;           // compiled from shape source text
  Diagnostics problems;              // of the source text
};

// The compiled font that the input stands for: the input itself where it
// begins with a compiled font's signature; otherwise, where a line of it
// begins with a header, the font compiled from it as shape source text
// (nothing usable when its problems hold an error); otherwise the input as
// it came, to be refused as no font.
FontFromInput CompiledFontBytes(std::vector<unsigned char> input);

}  // namespace morlune
