// Format 4 and format 12 subtables of the character map.
#include "convert/opentype/cmap_table.h"

#include "convert/opentype/big_endian.h"

namespace morlune::convert {
namespace {

// Format 4: a segment per run (glyph = character + delta, modulo 65536),
// then the closing segment at U+FFFF mapping to glyph 0.
std::vector<std::uint8_t> Format4(std::span<const CmapRange> ranges) {
  std::uint16_t segments = static_cast<std::uint16_t>(ranges.size() + 1);
  std::uint16_t power = 1, log2 = 0;
  while (power * 2 <= segments) {
    power *= 2;
    ++log2;
  }
  BigEndianBytes table;
  table.U16(4);
  table.U16(static_cast<std::uint16_t>(16 + 8 * segments));
  table.U16(0);  // language
  table.U16(static_cast<std::uint16_t>(2 * segments));
  table.U16(static_cast<std::uint16_t>(2 * power));
  table.U16(log2);
  table.U16(static_cast<std::uint16_t>(2 * segments - 2 * power));
  for (const CmapRange& range : ranges) table.U16(static_cast<std::uint16_t>(range.last));
  table.U16(0xFFFF);
  table.U16(0);  // reserved
  for (const CmapRange& range : ranges) table.U16(static_cast<std::uint16_t>(range.first));
  table.U16(0xFFFF);
  for (const CmapRange& range : ranges) table.U16(static_cast<std::uint16_t>(range.firstGlyph - range.first));
  table.U16(1);
  for (std::size_t k = 0; k < segments; ++k) table.U16(0);  // no glyph index array
  return table.Take();
}

std::vector<std::uint8_t> Format12(std::span<const CmapRange> ranges) {
  BigEndianBytes table;
  table.U16(12);
  table.U16(0);
  table.U32(static_cast<std::uint32_t>(16 + 12 * ranges.size()));
  table.U32(0);  // language
  table.U32(static_cast<std::uint32_t>(ranges.size()));
  for (const CmapRange& range : ranges) {
    table.U32(range.first);
    table.U32(range.last);
    table.U32(range.firstGlyph);
  }
  return table.Take();
}

}  // namespace

std::vector<CmapRange> CmapRanges(std::span<const CharacterToGlyph> map) {
  std::vector<CmapRange> ranges;
  for (const CharacterToGlyph& entry : map) {
    if (!ranges.empty()) {
      CmapRange& last = ranges.back();
      if (entry.character == last.last + 1 && entry.glyph == last.firstGlyph + (entry.character - last.first)) {
        last.last = entry.character;
        continue;
      }
    }
    ranges.push_back({entry.character, entry.character, entry.glyph});
  }
  return ranges;
}

std::vector<std::uint8_t> CmapTable(std::span<const CharacterToGlyph> map) {
  std::vector<CmapRange> all = CmapRanges(map);
  // The plane's runs, a run crossing its end cut there.
  std::vector<CmapRange> plane;
  for (const CmapRange& range : all) {
    if (range.first > 0xFFFF) break;
    CmapRange kept = range;
    if (kept.last > 0xFFFE) kept.last = 0xFFFE;
    plane.push_back(kept);
  }
  bool planeWhole = plane.size() + 1 <= kMostFormat4Segments;
  bool beyondPlane = !all.empty() && all.back().last > 0xFFFF;
  // Where format 12 carries everything, format 4 keeps as many runs as it holds.
  if (!planeWhole) plane.resize(kMostFormat4Segments - 1);
  bool format12 = beyondPlane || !planeWhole;

  std::vector<std::uint8_t> format4 = Format4(plane);
  std::vector<std::uint8_t> wide = format12 ? Format12(all) : std::vector<std::uint8_t>{};
  std::uint16_t records = format12 ? 2 : 1;
  std::uint32_t format4At = 4 + 8 * records;
  std::uint32_t format12At = format4At + static_cast<std::uint32_t>(format4.size());
  BigEndianBytes table;
  table.U16(0);
  table.U16(records);
  auto record = [&](std::uint16_t platform, std::uint16_t encoding, std::uint32_t offset) {
    table.U16(platform);
    table.U16(encoding);
    table.U32(offset);
  };
  // Windows records only, which every reader takes; by encoding.
  record(3, 1, format4At);
  if (format12) record(3, 10, format12At);
  table.Bytes(format4);
  table.Bytes(wide);
  return table.Take();
}

}  // namespace morlune::convert
