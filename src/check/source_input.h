// An input to check as a compiled font: the input itself, or the font that
// its shape source text compiles to, the compiler's warnings and errors
// kept as findings at their lines and columns.
#pragma once

#include <vector>

#include "check/finding.h"

namespace morlune::check {

struct FontInput {
  std::vector<unsigned char> font;  // a compiled font, or the input as it came
  bool fromSource = false;          // compiled from shape source text
  bool compiled = true;             // false: the text has errors, so there is no font
};

// Source text is what every tool takes as such (no compiled font's
// signature at its head, a line that begins with a header); it is compiled
// with no option, as morlune-compile compiles by default.
FontInput FontOfInput(std::vector<unsigned char> input, std::vector<Finding>& findings);

}  // namespace morlune::check
