// What an opened Font holds, for the library's parts that draw it: the
// compiled bytes, the walk of their records, and the values read from them
// once at opening.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <morlune/font.h>
#include <morlune/compile.h>

#include "drawing/drawing_font.h"

namespace morlune {

struct Font::State {
  std::vector<Byte> bytes;
  Variant kind = Variant::kShapes11;  // the signature's, set when the font opens
  std::unique_ptr<FontLookup> lookup;  // over bytes
  std::vector<Record> records;         // spans into bytes
  FontHeader header;
  std::vector<EscapeRange> escapeRanges;
  std::vector<Diagnostic> diagnostics;
  bool fromSource = false;  // compiled from source text
};

struct FontAccess {
  using State = Font::State;
  static const State& Of(const Font& font) { return *font.state_; }
  static Font Make(std::shared_ptr<const State> state) { return Font(std::move(state)); }
};
using FontState = FontAccess::State;

}  // namespace morlune
