// Shape source text to a compiled font: the entry point of the compiler for
// the tools and for library users.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <morlune/compile.h>

#include "source/diagnostics.h"
#include "source/source_font.h"

namespace morlune {

// The options are the library's CompileOptions: a text with a "*UNIFONT"
// header or a "*BIGFONT" line accepts only its own variant; a dropped name
// is one equal to the name the decompiler gives an unnamed record of its
// code, with or without escape names.

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

// True for input that the tools take as shape source text rather than a
// compiled font: no compiled font's signature at its head, and a line that
// begins with a header.
bool IsShapeSourceText(std::string_view input);

// The same, as the font's bytes.
std::optional<std::string> CompileSource(std::string_view text, const CompileOptions& options,
                                         Diagnostics& diagnostics);

}  // namespace morlune
