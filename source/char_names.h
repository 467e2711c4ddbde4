// Default names for shapes stored without a name.
#pragma once

#include <cstdint>
#include <string_view>

#include "driver/dump_context.h"

namespace morlune {

struct CharNameEntry {
  std::int32_t code;
  const char* name;
};

inline constexpr int kCharNameCount = 283;
extern const CharNameEntry CharNameTable[kCharNameCount];

inline constexpr std::string_view kUnspecifiedName = "unspecified";

// The default name of a shape code: its row of CharNameTable; failing that,
// under -e, "esc:" and the code's high and low byte when both are printable
// (0x20 to 0x7E, 0xA0 to 0xFF); otherwise "unspecified". An escape name
// lives in the context's buffer and is valid until the next lookup.
std::string_view LookupCharName(DumpContext& context, std::int32_t code);

}  // namespace morlune
