// Loading the bigfont index: the block read, the sort by unsigned code and
// the count of entries that hold a record.
#include "fontfile/bigfont_index.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace morlune {
namespace {

using Bytes = std::vector<unsigned char>;

// One 8-byte index entry as it stands in the file: code, length, offset,
// each little-endian.
void AddEntry(Bytes& bytes, std::uint16_t code, std::uint16_t length, std::uint32_t offset) {
  bytes.insert(bytes.end(), {static_cast<unsigned char>(code), static_cast<unsigned char>(code >> 8),
                             static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
                             static_cast<unsigned char>(offset), static_cast<unsigned char>(offset >> 8),
                             static_cast<unsigned char>(offset >> 16), static_cast<unsigned char>(offset >> 24)});
}

struct Loaded {
  int result;
  std::vector<BigfontIndexEntry> index;
  int nonEmptyCount;
  int next;
};

Loaded Load(const Bytes& bytes, std::int16_t count) {
  DumpContext context;
  context.input.AttachMemory(bytes.data(), bytes.size());
  int result = LoadBigfontIndex(context, count);
  return {result, context.bigfontIndex, context.nonEmptyCount, context.input.Get()};
}

std::vector<std::uint32_t> Offsets(const std::vector<BigfontIndexEntry>& index) {
  std::vector<std::uint32_t> offsets;
  for (const BigfontIndexEntry& entry : index) offsets.push_back(entry.offset);
  return offsets;
}

TEST(LoadBigfontIndex, SortsByUnsignedCodeKeepingFileOrderForEqualCodes) {
  Bytes bytes;
  AddEntry(bytes, 3, 10, 300);
  AddEntry(bytes, 0, 10, 0);
  AddEntry(bytes, 0x8000, 10, 0x80000000u);
  AddEntry(bytes, 2, 10, 201);
  AddEntry(bytes, 0xFFFF, 10, 0xFFFFFFFFu);
  AddEntry(bytes, 2, 10, 202);
  AddEntry(bytes, 0x7FFF, 10, 0x7FFF);
  AddEntry(bytes, 2, 10, 203);
  bytes.push_back(0x55);
  Loaded loaded = Load(bytes, 8);
  ASSERT_EQ(loaded.result, 1);
  // Each entry moves whole: the offsets tell the entries apart.
  EXPECT_EQ(Offsets(loaded.index),
            (std::vector<std::uint32_t>{0, 201, 202, 203, 300, 0x7FFF, 0x80000000u, 0xFFFFFFFFu}));
  EXPECT_EQ(loaded.index[6].code, 0x8000);
  EXPECT_EQ(loaded.index[7].code, 0xFFFF);
  EXPECT_EQ(loaded.next, 0x55);  // exactly the index was read
}

TEST(LoadBigfontIndex, ManyEntriesSharingCodesKeepFileOrder) {
  Bytes bytes;
  for (std::uint32_t at = 0; at < 200; ++at) AddEntry(bytes, static_cast<std::uint16_t>((at * 7) % 5), 1, at);
  Loaded loaded = Load(bytes, 200);
  ASSERT_EQ(loaded.result, 1);
  for (std::size_t i = 1; i < loaded.index.size(); ++i) {
    const BigfontIndexEntry& before = loaded.index[i - 1];
    const BigfontIndexEntry& after = loaded.index[i];
    ASSERT_TRUE(before.code < after.code || (before.code == after.code && before.offset < after.offset)) << i;
  }
}

TEST(LoadBigfontIndex, CountsOnlyLengthsAboveZeroAsSigned) {
  Bytes bytes;
  const std::uint16_t lengths[] = {0, 1, 0x7FFF, 0x8000, 0xFFFF, 5, 0};
  std::uint16_t code = 1;
  for (std::uint16_t length : lengths) AddEntry(bytes, code++, length, 64);
  Loaded loaded = Load(bytes, 7);
  ASSERT_EQ(loaded.result, 1);
  EXPECT_EQ(loaded.nonEmptyCount, 3);
  ASSERT_EQ(loaded.index.size(), 7u);  // the uncounted entries stay in the index
  EXPECT_EQ(loaded.index[3].length, 0x8000);
}

TEST(LoadBigfontIndex, CountsAndShortIndexes) {
  Bytes two;
  AddEntry(two, 9, 4, 40);
  AddEntry(two, 8, 4, 30);
  const struct {
    const char* what;
    Bytes bytes;
    std::int16_t count;
    int result;
    std::size_t entries;
    int next;
  } cases[] = {
      {"count 0", two, 0, 1, 0, 9},
      {"negative count", two, -1, 0, 0, 9},
      {"entry count word 0x8000", two, INT16_MIN, 0, 0, 9},
      {"one entry of two", two, 1, 1, 1, 8},
      {"one entry missing", two, 3, 0, 0, kEndOfInput},
      {"entry cut short", Bytes(two.begin(), two.begin() + 15), 2, 0, 0, kEndOfInput},
      {"nothing at all", {}, 1, 0, 0, kEndOfInput},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Loaded loaded = Load(c.bytes, c.count);
    EXPECT_EQ(loaded.result, c.result);
    if (c.result == 1) {
      EXPECT_EQ(loaded.index.size(), c.entries);
      EXPECT_EQ(loaded.nonEmptyCount, static_cast<int>(c.entries));
    }
    EXPECT_EQ(loaded.next, c.next);
  }
}

}  // namespace
}  // namespace morlune
