// Little-endian numbers of the compiled containers.
#pragma once

#include <cstdint>

#include "platform/byte_input.h"

namespace morlune {

// The byte value that a read at end of input stands for, in header words,
// font-header bytes and operands alike.
inline constexpr int kByteAtEnd = 0xFF;

// The next byte, or 0xFF at end of input.
inline int ReadByteOr0xFF(ByteInput& input) {
  int byte = input.Get();
  return byte == kEndOfInput ? kByteAtEnd : byte;
}

// A 16-bit word, low byte first; a word read wholly past the end is 0xFFFF.
inline std::uint16_t ReadWord(ByteInput& input) {
  int low = ReadByteOr0xFF(input);
  int high = ReadByteOr0xFF(input);
  return static_cast<std::uint16_t>(low | (high << 8));
}

inline std::uint16_t WordAt(const unsigned char* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t DwordAt(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

}  // namespace morlune
