// The sfnt container: tables behind a directory of tags, offsets and
// checksums, with head's adjustment making the whole file sum right.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace morlune::convert {

struct SfntTable {
  std::uint32_t tag = 0;
  std::vector<std::uint8_t> data;  // unpadded
};

// The sum of the bytes as big-endian 32-bit words, the last one padded
// with zeros.
std::uint32_t TableChecksum(std::span<const std::uint8_t> bytes);

// head's checkSumAdjustment makes the whole file's checksum this.
inline constexpr std::uint32_t kWholeFontChecksum = 0xB1B0AFBA;
// Where checkSumAdjustment lies in head.
inline constexpr std::size_t kHeadAdjustmentOffset = 8;

// A TrueType-flavoured file of the tables (each tag once): the directory
// in tag order, the tables in the order readers load them, each on a
// 4-byte boundary, head's checkSumAdjustment set.
std::vector<std::uint8_t> AssembleSfnt(std::vector<SfntTable> tables);

}  // namespace morlune::convert
