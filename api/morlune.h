// morlune as a library: the one header that another program includes to
// read a compiled font's records and to decompile it from C++.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "grammar/shape_file_kind.h"

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

// What a whole run of a tool gives: its exit status and the text it wrote
// to its output and to its error stream.
struct ToolRun {
  int status = 0;
  std::string output;
  std::string errors;
};

// Decompiles a compiled font exactly as `morlune OPTIONS` does with the
// font on its standard input; options holds the option letters, as "-d".
ToolRun Decompile(std::span<const unsigned char> font, std::string_view options = "");

}  // namespace morlune
