// Shape source text to a compiled font: the entry point of the compiler for
// the tools and for library users.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "grammar/shape_file_kind.h"
#include "source/diagnostics.h"

namespace morlune {

struct CompileOptions {
  // The variant to write; a text with a "*UNIFONT" header or a "*BIGFONT"
  // line accepts only its own. Unset: the text's own, or shapes 1.1.
  std::optional<ShapeFileKind> variant;
  // A name equal to the one the decompiler gives an unnamed record of its
  // code (with or without escape names) is stored empty.
  bool dropDefaultNames = false;
  // A header's count that differs from its numbers' bytes is a warning.
  bool takeCounted = false;
};

// The compiled font, or nothing when the text has an error. Every error and
// warning goes to diagnostics, in the order of the text.
std::optional<std::string> CompileSource(std::string_view text, const CompileOptions& options,
                                         Diagnostics& diagnostics);

}  // namespace morlune
