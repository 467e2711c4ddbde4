// Shape source text to a compiled font: the entry point of the compiler for
// the tools and for library users.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "grammar/shape_file_kind.h"
#include "source/diagnostics.h"
#include "source/source_font.h"

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

// A font that passed every check, ready to be written. It refers to the
// text it was compiled from, which must outlive it.
class CompiledFont {
 public:
  CompiledFont(SourceFont font, std::vector<std::string_view> names)
      : font_(std::move(font)), names_(std::move(names)) {}

  // Hands the font's bytes to put in order, a block at a time.
  void Write(const std::function<void(std::string_view)>& put) const;
  std::string Bytes() const;

 private:
  SourceFont font_;
  std::vector<std::string_view> names_;
};

// The compiled font, or nothing when the text has an error. Every error and
// warning goes to diagnostics, in the order of the text.
std::optional<CompiledFont> CompileSourceFont(std::string_view text, const CompileOptions& options,
                                              Diagnostics& diagnostics);

// The same, as the font's bytes.
std::optional<std::string> CompileSource(std::string_view text, const CompileOptions& options,
                                         Diagnostics& diagnostics);

}  // namespace morlune
