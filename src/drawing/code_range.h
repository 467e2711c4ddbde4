// The codes of the records that a run draws.
#pragma once

#include <cstdint>

namespace morlune {

struct CodeRange {
  std::uint16_t first = 0;
  std::uint16_t last = 0xFFFF;
  bool Holds(std::uint16_t code) const { return code >= first && code <= last; }
};

}  // namespace morlune
