// The bigfont index (which the messages call the hash table).
#pragma once

#include <cstdint>
#include <vector>

#include "fontfile/index_entries.h"
#include "platform/byte_input.h"

namespace morlune {

// Reads count entries of 8 bytes with one block read into index, sorts them
// by code (unsigned; entries with equal codes keep their file order) and
// sets nonEmptyCount to the number whose length, as a signed 16-bit value,
// is above 0. Returns false for a negative count or an index cut short by
// the end of input.
bool LoadBigfontIndex(ByteInput& input, std::int16_t count, std::vector<BigfontIndexEntry>& index,
                      int& nonEmptyCount);

}  // namespace morlune
