// Bytes of an sfnt table as the format stores every number: big-endian,
// tables padded to whole 32-bit words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace morlune::convert {

// A table's four-letter tag as the directory stores it.
constexpr std::uint32_t TagOf(const char (&tag)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(tag[0])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(tag[1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(tag[2])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(tag[3]));
}

class BigEndianBytes {
 public:
  void U8(std::uint8_t v) { bytes_.push_back(v); }
  void U16(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    bytes_.push_back(static_cast<std::uint8_t>(v));
  }
  void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v >> 16));
    U16(static_cast<std::uint16_t>(v));
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void I64(std::int64_t v) {
    auto u = static_cast<std::uint64_t>(v);
    U32(static_cast<std::uint32_t>(u >> 32));
    U32(static_cast<std::uint32_t>(u));
  }
  void Bytes(std::span<const std::uint8_t> more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
  void PadTo4() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }
  // Overwrites a number written before, once what it counts is known.
  void U16At(std::size_t offset, std::uint16_t v) {
    bytes_[offset] = static_cast<std::uint8_t>(v >> 8);
    bytes_[offset + 1] = static_cast<std::uint8_t>(v);
  }
  void U32At(std::size_t offset, std::uint32_t v) {
    U16At(offset, static_cast<std::uint16_t>(v >> 16));
    U16At(offset + 2, static_cast<std::uint16_t>(v));
  }

  std::size_t Size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& Data() const { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace morlune::convert
