// Reading back what the writers wrote: big-endian numbers and the tables
// of an sfnt file by tag, for the tests' checks.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace morlune::convert::testing {

inline std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] << 8 | b[at + 1]);
}
inline std::int32_t I16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int16_t>(U16(b, at));
}
inline std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) { return U16(b, at) << 16 | U16(b, at + 2); }

struct TableEntry {
  std::uint32_t checksum = 0;
  std::span<const std::uint8_t> data;
};

// The tables by tag; the order of the directory in `order`.
inline std::map<std::string, TableEntry> Tables(std::span<const std::uint8_t> file,
                                                std::vector<std::string>* order = nullptr) {
  std::map<std::string, TableEntry> tables;
  std::size_t count = U16(file, 4);
  for (std::size_t k = 0; k < count; ++k) {
    std::size_t at = 12 + 16 * k;
    std::string tag(file.begin() + static_cast<std::ptrdiff_t>(at), file.begin() + static_cast<std::ptrdiff_t>(at) + 4);
    tables[tag] = {U32(file, at + 4), file.subspan(U32(file, at + 8), U32(file, at + 12))};
    if (order != nullptr) order->push_back(tag);
  }
  return tables;
}

}  // namespace morlune::convert::testing
