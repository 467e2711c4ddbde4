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

// Puts the entries in code order, those with equal codes in file order.
// Their places in the index are ordered by two stable counting passes, by
// the low byte of the code and then by the high byte; then the entries move
// along the cycles of that order. Nothing compares entries, so an index
// stored in hash order costs no guessing at branches, as a sort by
// comparisons does, and the places take two bytes an entry besides the
// index (a count is at most 32767).
void SortByCode(std::vector<BigfontIndexEntry>& index) {
  std::vector<std::uint16_t> order(index.size());
  std::vector<std::uint16_t> moved(index.size());
  std::iota(order.begin(), order.end(), std::uint16_t{0});
  for (int shift : {0, 8}) {
    std::array<std::size_t, 257> next{};
    for (std::uint16_t at : order) ++next[((index[at].code >> shift) & 0xFF) + 1];
    std::partial_sum(next.begin(), next.end(), next.begin());
    for (std::uint16_t at : order) moved[next[(index[at].code >> shift) & 0xFF]++] = at;
    order.swap(moved);
  }
  // order[to] is the place of the entry that belongs at to.
  std::vector<bool> placed(index.size());
  for (std::size_t start = 0; start < index.size(); ++start) {
    if (placed[start]) continue;
    BigfontIndexEntry first = index[start];
    std::size_t to = start;
    for (std::size_t from = order[to]; from != start; to = from, from = order[to]) {
      index[to] = index[from];
      placed[to] = true;
    }
    index[to] = first;
    placed[to] = true;
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
