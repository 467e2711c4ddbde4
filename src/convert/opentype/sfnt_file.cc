// The sfnt container's directory, table layout and checksums.
#include "convert/opentype/sfnt_file.h"

#include <algorithm>
#include <array>

#include "convert/opentype/big_endian.h"

namespace morlune::convert {
namespace {

// Tables in the order a TrueType reader loads them; others after, by tag.
constexpr std::array kLoadOrder = {TagOf("head"), TagOf("hhea"), TagOf("maxp"), TagOf("OS/2"), TagOf("hmtx"),
                                   TagOf("cmap"), TagOf("loca"), TagOf("glyf"), TagOf("name"), TagOf("post")};

std::size_t LoadRank(std::uint32_t tag) {
  auto at = std::find(kLoadOrder.begin(), kLoadOrder.end(), tag);
  return static_cast<std::size_t>(at - kLoadOrder.begin());
}

}  // namespace

std::uint32_t TableChecksum(std::span<const std::uint8_t> bytes) {
  std::uint32_t sum = 0;
  for (std::size_t at = 0; at < bytes.size(); at += 4) {
    std::uint32_t word = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      word = word << 8 | (at + k < bytes.size() ? bytes[at + k] : 0u);
    }
    sum += word;
  }
  return sum;
}

std::vector<std::uint8_t> AssembleSfnt(std::vector<SfntTable> tables) {
  std::sort(tables.begin(), tables.end(), [](const SfntTable& a, const SfntTable& b) {
    return LoadRank(a.tag) != LoadRank(b.tag) ? LoadRank(a.tag) < LoadRank(b.tag) : a.tag < b.tag;
  });
  auto count = static_cast<std::uint16_t>(tables.size());
  std::uint16_t power = 1, log2 = 0;
  while (power * 2 <= count) {
    power *= 2;
    ++log2;
  }
  const std::size_t directorySize = 12 + 16 * tables.size();

  // Where each table lands, and its checksum (head's with a zero adjustment).
  std::vector<std::uint32_t> offsets(tables.size()), sums(tables.size());
  std::size_t at = directorySize;
  std::size_t head = tables.size();
  for (std::size_t k = 0; k < tables.size(); ++k) {
    if (tables[k].tag == TagOf("head") && tables[k].data.size() >= kHeadAdjustmentOffset + 4) {
      head = k;
      std::fill_n(tables[k].data.begin() + kHeadAdjustmentOffset, 4, 0);
    }
    offsets[k] = static_cast<std::uint32_t>(at);
    sums[k] = TableChecksum(tables[k].data);
    at += (tables[k].data.size() + 3) / 4 * 4;
  }

  BigEndianBytes file;
  file.U32(0x00010000);  // TrueType outlines
  file.U16(count);
  file.U16(static_cast<std::uint16_t>(power * 16));
  file.U16(log2);
  file.U16(static_cast<std::uint16_t>(count * 16 - power * 16));
  std::vector<std::size_t> byTag(tables.size());
  for (std::size_t k = 0; k < byTag.size(); ++k) byTag[k] = k;
  std::sort(byTag.begin(), byTag.end(), [&](std::size_t a, std::size_t b) { return tables[a].tag < tables[b].tag; });
  for (std::size_t k : byTag) {
    file.U32(tables[k].tag);
    file.U32(sums[k]);
    file.U32(offsets[k]);
    file.U32(static_cast<std::uint32_t>(tables[k].data.size()));
  }
  for (const SfntTable& table : tables) {
    file.Bytes(table.data);
    file.PadTo4();
  }
  std::vector<std::uint8_t> bytes = file.Take();
  if (head < tables.size()) {
    std::uint32_t adjustment = kWholeFontChecksum - TableChecksum(bytes);
    std::size_t where = offsets[head] + kHeadAdjustmentOffset;
    for (int k = 0; k < 4; ++k) bytes[where + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(adjustment >> (24 - 8 * k));
  }
  return bytes;
}

}  // namespace morlune::convert
