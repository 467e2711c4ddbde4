// What the public bindings take from internal_bindings.cc, the one file of
// the raw module that reaches past the public API: path data in the
// listing's form.
#pragma once

#include <string>
#include <vector>

#include <morlune/geometry.h>

namespace morlune::web {

// Paths as the listing writes them: absolute M, L and A commands in font
// (or drawing) units, y up.
std::string PathData(const std::vector<Path>& paths);

}  // namespace morlune::web
