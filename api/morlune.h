// morlune as a library: the one header that another program includes to
// read a compiled font's records, to decompile it, to compile source text
// (CompileSource) and to draw its shapes from C++.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compile_source.h"
#include "grammar/shape_file_kind.h"
#include "source/font_source.h"

namespace morlune {

// One record of a compiled font, as the decompiler walks it: spans into
// the font's bytes, valid while they are.
struct FontRecordView {
  std::uint16_t code = 0;
  std::string_view name;                       // as stored, at most 1023 bytes
  std::span<const unsigned char> specification;  // the declared data bytes the file holds
};

struct FontView {
  ShapeFileKind kind = ShapeFileKind::kUnknown;
  std::vector<FontRecordView> records;  // in the decompiler's order, code 0 included
};

// The records of a compiled font, or nothing when the bytes are not one.
std::optional<FontView> ReadFont(std::span<const unsigned char> font);

struct Decompiled {
  bool recognised = false;  // the bytes are a compiled font
  std::string text;         // its records' source text: what morlune writes after its banner
  FontSourceEnd end;        // a refused head, a failed seek
};

// Decompiles a compiled font as morlune does, with its -d and -e as options.
Decompiled Decompile(std::span<const unsigned char> font, const SourceTextOptions& options = {});

struct Drawn {
  bool recognised = false;            // the bytes are a compiled font
  std::string listing;                // a line per shape: code, advance, path data
  std::vector<std::string> warnings;  // "shape CODE: TEXT", or about the whole font
};

// Draws every shape of a compiled font as morlune-draw --list does.
Drawn DrawListing(std::span<const unsigned char> font);

}  // namespace morlune
