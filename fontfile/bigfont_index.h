// The bigfont index (which the messages call the hash table).
#pragma once

#include <cstdint>

#include "driver/dump_context.h"

namespace morlune {

// Reads count entries of 8 bytes with one block read into bigfontIndex,
// sorts them by code (unsigned; entries with equal codes keep their file
// order) and sets nonEmptyCount to the number whose length, as a signed
// 16-bit value, is above 0. Returns 0 for a negative count or an index cut
// short by the end of input, 1 otherwise.
int LoadBigfontIndex(DumpContext& context, std::int16_t count);

}  // namespace morlune
