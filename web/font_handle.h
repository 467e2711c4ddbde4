// What the raw module hands JavaScript for an opened font: the library's
// font, shared, so that a handle the wrapper drops is freed when the
// JavaScript engine collects it.
#pragma once

#include <morlune/font.h>

namespace morlune::web {

struct FontHandle {
  Font font;
};

}  // namespace morlune::web
