// Copying the few bytes of a piece of text without a call into the C
// library: fixed-width moves that the compiler keeps inline.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace morlune {

namespace short_copy_detail {
// Two moves of Width bytes, the second ending at the last byte: together
// they cover any length from Width to twice Width.
template <typename Word>
inline void CopyTwoOverlapping(char* dst, const char* src, std::size_t n) {
  Word head;
  Word tail;
  std::memcpy(&head, src, sizeof head);
  std::memcpy(&tail, src + n - sizeof tail, sizeof tail);
  std::memcpy(dst, &head, sizeof head);
  std::memcpy(dst + n - sizeof tail, &tail, sizeof tail);
}

struct Bytes16 {
  std::uint64_t low;
  std::uint64_t high;
};
}  // namespace short_copy_detail

// Copies n bytes from src to dst (which must not overlap). Reads and writes
// only those n bytes.
[[gnu::always_inline]] inline void ShortCopy(char* dst, const char* src, std::size_t n) {
  using namespace short_copy_detail;
  if (n >= 8) {
    if (n <= 16) {
      CopyTwoOverlapping<std::uint64_t>(dst, src, n);
    } else if (n <= 32) {
      CopyTwoOverlapping<Bytes16>(dst, src, n);
    } else {
      std::memcpy(dst, src, n);
    }
  } else if (n >= 4) {
    CopyTwoOverlapping<std::uint32_t>(dst, src, n);
  } else if (n >= 2) {
    CopyTwoOverlapping<std::uint16_t>(dst, src, n);
  } else if (n == 1) {
    *dst = *src;
  }
}

}  // namespace morlune
