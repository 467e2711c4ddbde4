// Loading the bigfont index: one block read, then a sort by code.
#include "fontfile/bigfont_index.h"

#include <algorithm>
#include <memory>
#include <new>

#include "fontfile/container_words.h"

namespace morlune {

int LoadBigfontIndex(DumpContext& context, std::int16_t count) {
  // An entry count word of 0x8000 or more is negative and can never be read.
  if (count < 0) return 0;
  std::size_t bytes = static_cast<std::size_t>(count) * kBigfontIndexEntrySize;
  std::unique_ptr<unsigned char[]> raw(new (std::nothrow) unsigned char[bytes + 1]);
  if (!raw) return 0;
  if (context.input.Read(raw.get(), bytes) != bytes) return 0;

  std::vector<BigfontIndexEntry>& index = context.bigfontIndex;
  index.clear();
  index.reserve(static_cast<std::size_t>(count));
  int nonEmpty = 0;
  for (std::size_t at = 0; at < bytes; at += kBigfontIndexEntrySize) {
    const unsigned char* entry = raw.get() + at;
    BigfontIndexEntry e{WordAt(entry), WordAt(entry + 2), DwordAt(entry + 4)};
    if (static_cast<std::int16_t>(e.length) > 0) ++nonEmpty;
    index.push_back(e);
  }
  std::stable_sort(index.begin(), index.end(),
                   [](const BigfontIndexEntry& a, const BigfontIndexEntry& b) { return a.code < b.code; });
  context.nonEmptyCount = nonEmpty;
  return 1;
}

}  // namespace morlune
