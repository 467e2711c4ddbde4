// A TrueType file packed as WOFF2 for the web: its glyphs transformed and
// the whole compressed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace morlune::convert {

// Nothing where the packer refuses the file.
std::optional<std::vector<std::uint8_t>> Woff2File(std::span<const std::uint8_t> trueType);

}  // namespace morlune::convert
