// Reading an index of fixed-size entries a block at a time, so that no
// copy of the whole index is held besides the table it fills.
#pragma once

#include <cstddef>

#include "platform/byte_input.h"

namespace morlune {

// Reads count entries of entrySize bytes (at most 8) and hands each entry's
// bytes to take, in file order. Returns false, having taken only whole
// blocks, when the end of input comes before the last entry.
template <typename TakeEntry>
bool ReadIndexBlocks(ByteInput& input, std::size_t count, std::size_t entrySize, TakeEntry take) {
  constexpr std::size_t kBlockBytes = 4096;
  unsigned char block[kBlockBytes];
  std::size_t perBlock = kBlockBytes / entrySize;
  for (std::size_t left = count; left > 0;) {
    std::size_t entries = left < perBlock ? left : perBlock;
    std::size_t bytes = entries * entrySize;
    if (input.Read(block, bytes) != bytes) return false;
    for (std::size_t at = 0; at < bytes; at += entrySize) take(block + at);
    left -= entries;
  }
  return true;
}

}  // namespace morlune
