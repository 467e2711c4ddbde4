// The front of a shape file: the variant told by the head text, and the bigfont index (the block read, the sort by
// unsigned code, the count of entries holding a record).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fontfile/bigfont_index.h"
#include "fontfile/signature.h"

namespace morlune {
namespace {

using Bytes = std::vector<unsigned char>;
using enum Variant;

TEST(IdentifyShapeFile, Heads) {
  const std::string k11 = "Vormald-86 shapes 1.1\r\n", fill = std::string(75, 'f') + "g", after = "\x1A\x55";
  // Each variant's head in whole runs is the golden cases'; here its edges.
  const std::tuple<const char*, std::string, std::optional<Variant>, int> rows[] = {
      // what, bytes; variant (none: not a compiled font), byte read next
      {"shapes 1.1", k11 + after, kShapes11, 0x55},
      {"unifont 1.0, then the end", "Vormald-86 unifont 1.0\r\n\x1A", kUnifont, kEndOfInput},
      {"no 0x1A at all", k11, kShapes11, kEndOfInput},
      {"bare line feed", "Vormald-86 shapes 1.1\n" + after, std::nullopt, 0x55},
      {"trailing blank", k11 + " " + after, std::nullopt, 0x55},
      // A zero byte ends the text compared; the head still runs to 0x1A or 99 bytes.
      {"zero then 75 bytes", k11 + '\0' + fill.substr(0, 75) + after, kShapes11, 0x1A},
      {"zero then 76 bytes", k11 + '\0' + fill + after, kShapes11, 'g'},
      {"zero inside the text", k11.substr(0, 14) + '\0' + k11.substr(15) + after, std::nullopt, 0x55},
      {"0x1A first", "\x1A" + k11, std::nullopt, 'V'},
      {"empty", "", std::nullopt, kEndOfInput},
      {"99 bytes and more", std::string(99, 'V') + "WX", std::nullopt, 'W'},
  };
  for (const auto& [what, bytes, kind, next] : rows) {
    ByteInput input;
    input.AttachMemory(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    EXPECT_EQ(IdentifyShapeFile(input), kind) << what;
    EXPECT_EQ(input.Get(), next) << what;
  }
}

// One 8-byte index entry as it stands in the file: code, length and offset, little-endian.
void AddEntry(Bytes& bytes, std::uint16_t code, std::uint16_t length, std::uint32_t offset) {
  std::uint64_t fields = code | std::uint64_t{length} << 16 | std::uint64_t{offset} << 32;
  for (int i = 0; i < 8; ++i, fields >>= 8) bytes.push_back(static_cast<unsigned char>(fields));
}

TEST(LoadBigfontIndex, SortedCountedOrRefused) {
  // The offset of each entry tells where it stood in the file, and so which code it was written with.
  const std::uint16_t codes[] = {3, 0xFFFF, 0x8000, 2, 0, 0x7FFF, 1}, lengths[] = {0, 1, 0x7FFF, 0x8000, 0xFFFF, 5, 0};
  Bytes seven, many;  // only a length above 0 as a signed word holds a record
  for (std::uint32_t at = 0; at < 7; ++at) AddEntry(seven, codes[at], lengths[at], at);
  for (std::uint32_t at = 0; at < 200; ++at) AddEntry(many, codes[at % 7], 1, at);
  many.push_back(0x55);
  const std::tuple<const char*, Bytes, std::int16_t, int, std::size_t, int, int> rows[] = {
      // what, bytes, count; result, entries, entries holding a record, byte read next
      {"seven", seven, 7, 1, 7, 3, kEndOfInput},
      {"many sharing codes", many, 200, 1, 200, 200, 0x55},
      {"two of seven", seven, 2, 1, 2, 1, 0x00},
      {"count 0", seven, 0, 1, 0, 0, 3},
      {"count word 0x8000", seven, INT16_MIN, 0, 0, 0, 3},
      {"one entry missing", seven, 8, 0, 0, 0, kEndOfInput},
      {"entry cut short", Bytes(seven.begin(), seven.begin() + 15), 2, 0, 0, 0, kEndOfInput},
  };
  for (const auto& [what, bytes, count, result, entries, nonEmpty, next] : rows) {
    ByteInput input;
    input.AttachMemory(bytes.data(), bytes.size());
    std::vector<BigfontIndexEntry> index;
    int nonEmptyCount = 0;
    EXPECT_EQ(LoadBigfontIndex(input, count, index, nonEmptyCount), result != 0) << what;
    EXPECT_EQ(input.Get(), next) << what;
    EXPECT_EQ(std::pair(index.size(), nonEmptyCount), std::pair(entries, nonEmpty)) << what;
    std::set<std::uint32_t> places;  // each entry once: none lost, none doubled
    for (const BigfontIndexEntry& entry : index) {
      EXPECT_EQ(entry.code, codes[entry.offset % 7]) << what;
      places.insert(entry.offset);
    }
    EXPECT_EQ(places.size(), index.size()) << what;
    EXPECT_TRUE(std::is_sorted(index.begin(), index.end(), [](const auto& a, const auto& b) {
      return std::pair(a.code, a.offset) < std::pair(b.code, b.offset);
    })) << what;
  }
}

}  // namespace
}  // namespace morlune
