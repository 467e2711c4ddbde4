// Default names for shapes stored without a name.
#pragma once

#include <cstdint>
#include <string_view>

namespace morlune {

struct CharNameEntry {
  std::int32_t code;
  const char* name;
};

inline constexpr int kCharNameCount = 283;
extern const CharNameEntry CharNameTable[kCharNameCount];

inline constexpr std::string_view kUnspecifiedName = "unspecified";

// Room for an escape name, "esc:" and two bytes.
struct EscapeNameBuffer {
  char text[8] = {};
};

// The default name of a shape code: its row of CharNameTable; failing that,
// with escapedNames, "esc:" and the code's high and low byte when both are
// printable (0x20 to 0x7E, 0xA0 to 0xFF); otherwise "unspecified". An escape
// name lives in the buffer and is valid until its next use.
std::string_view LookupCharName(std::int32_t code, bool escapedNames, EscapeNameBuffer& buffer);

}  // namespace morlune
