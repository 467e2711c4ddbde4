// Reading shape source text into records: headers, names, and every number
// turned into its stored bytes by the kind of the place where it stands.
#pragma once

#include <optional>
#include <string_view>

#include "source/diagnostics.h"
#include "source/source_font.h"

namespace morlune {

struct SourceReadOptions {
  // The variant asked for; a text with a "*UNIFONT" header or a "*BIGFONT"
  // line accepts only its own (the two shapes variants count as one).
  std::optional<Variant> variant;
  // A header's count that differs from the bytes its numbers make is a
  // warning instead of an error.
  bool takeCounted = false;
};

// True when a line of the text begins with a header ("*" after blanks):
// what tells source text from other bytes where either may come.
bool HasHeaderLine(std::string_view text);

// Reads the whole text. Every problem goes to diagnostics; the font is of
// use only when none of them is an error.
SourceFont ReadSource(std::string_view text, const SourceReadOptions& options, Diagnostics& diagnostics);

}  // namespace morlune
