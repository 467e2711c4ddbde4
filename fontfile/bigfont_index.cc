// Loading the bigfont index: the entries read and decoded a block at a time,
// then put in code order.
#include "fontfile/bigfont_index.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "fontfile/container_words.h"
#include "fontfile/index_blocks.h"

namespace morlune {
namespace {

// Two stable counting passes, by the low byte of the code and then by the
// high byte: the entries end in code order, those with equal codes in file
// order. Nothing compares entries, so an index stored in hash order costs
// no guessing at branches, as a sort by comparisons does.
void SortByCode(std::vector<BigfontIndexEntry>& index) {
  std::vector<BigfontIndexEntry> moved(index.size());
  for (int shift : {0, 8}) {
    std::array<std::size_t, 257> next{};
    for (const BigfontIndexEntry& entry : index) ++next[((entry.code >> shift) & 0xFF) + 1];
    std::partial_sum(next.begin(), next.end(), next.begin());
    for (const BigfontIndexEntry& entry : index) moved[next[(entry.code >> shift) & 0xFF]++] = entry;
    index.swap(moved);
  }
}

}  // namespace

bool LoadBigfontIndex(ByteInput& input, std::int16_t count, std::vector<BigfontIndexEntry>& index,
                      int& nonEmptyCount) {
  // An entry count word of 0x8000 or more is negative and can never be read.
  if (count < 0) return false;
  index.clear();
  index.reserve(static_cast<std::size_t>(count));
  int nonEmpty = 0;
  // An index cut short by the end of input cannot be used at all.
  bool whole = ReadIndexBlocks(input, static_cast<std::size_t>(count), kBigfontIndexEntrySize,
                               [&index, &nonEmpty](const unsigned char* bytes) {
                                 BigfontIndexEntry entry{WordAt(bytes), WordAt(bytes + 2), DwordAt(bytes + 4)};
                                 if (static_cast<std::int16_t>(entry.length) > 0) ++nonEmpty;
                                 index.push_back(entry);
                               });
  if (!whole) return false;
  // Entries with equal codes keep their file order, so that the output is
  // the same on every platform; most fonts store their index in order already.
  auto byCode = [](const BigfontIndexEntry& a, const BigfontIndexEntry& b) { return a.code < b.code; };
  if (!std::is_sorted(index.begin(), index.end(), byCode)) SortByCode(index);
  nonEmptyCount = nonEmpty;
  return true;
}

}  // namespace morlune
