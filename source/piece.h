// One piece of shape source text, formatted by hand: literal text, signed
// decimal numbers and zero-filled upper-case hexadecimal.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "platform/short_copy.h"

namespace morlune {

namespace piece_detail {

// The decimal text of 0 to 999, left-aligned in three bytes, with its
// length in the fourth: a number of the specification bytes is one table
// read and one four-byte store, with no branch on its number of digits.
struct SmallDecimal {
  char text[4];
};

constexpr std::array<SmallDecimal, 1000> MakeSmallDecimals() {
  std::array<SmallDecimal, 1000> table{};
  for (int n = 0; n < 1000; ++n) {
    char* t = table[static_cast<std::size_t>(n)].text;
    int length = n >= 100 ? 3 : n >= 10 ? 2 : 1;
    for (int i = length - 1, rest = n; i >= 0; --i, rest /= 10) t[i] = static_cast<char>('0' + rest % 10);
    t[3] = static_cast<char>(length);
  }
  return table;
}
inline constexpr std::array<SmallDecimal, 1000> kSmallDecimals = MakeSmallDecimals();

// The two upper-case hexadecimal digits of every byte value.
constexpr std::array<char, 512> MakeHexPairs() {
  std::array<char, 512> table{};
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (int n = 0; n < 256; ++n) {
    table[static_cast<std::size_t>(2 * n)] = kDigits[n >> 4];
    table[static_cast<std::size_t>(2 * n + 1)] = kDigits[n & 0xF];
  }
  return table;
}
inline constexpr std::array<char, 512> kHexPairs = MakeHexPairs();

}  // namespace piece_detail

struct Piece {
  // Pieces are formatted in a fixed local buffer; only a piece longer than
  // this (a name piece with a name of a thousand characters) moves to the
  // heap, and is still written whole.
  static constexpr std::size_t kLocalCapacity = 1023;

  Piece() = default;
  // A piece is formatted, written and forgotten where it was made.
  Piece(const Piece&) = delete;
  Piece& operator=(const Piece&) = delete;

  // Every append checks one sum against the capacity: once the piece has
  // moved to the heap, size_ holds kSpilled and the sum always fails.
  [[gnu::always_inline]] Piece& Text(std::string_view text) {
    if (size_ + text.size() <= kLocalCapacity) {
      ShortCopy(local_ + size_, text.data(), text.size());
      size_ += text.size();
    } else {
      AppendSlow(text);
    }
    return *this;
  }
  [[gnu::always_inline]] Piece& Char(char c) {
    if (size_ < kLocalCapacity) {
      local_[size_++] = c;
    } else {
      AppendSlow(std::string_view(&c, 1));
    }
    return *this;
  }

  // Signed decimal with a minus sign for negative values ("%d").
  [[gnu::always_inline]] Piece& Decimal(long value) {
    unsigned long magnitude = value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    // The operands of a shape all lie within -128 to 255: a sign, then one
    // table read and one four-byte store, with no branch on the number of
    // digits.
    if (magnitude < 1000 && size_ + 5 <= kLocalCapacity) {
      local_[size_] = '-';
      size_ += value < 0;
      const piece_detail::SmallDecimal& digits = piece_detail::kSmallDecimals[magnitude];
      std::memcpy(local_ + size_, digits.text, 4);  // the length byte is overwritten later
      size_ += static_cast<std::size_t>(digits.text[3]);
      return *this;
    }
    return DecimalSlow(value);
  }

  // Upper-case hexadecimal, zero-filled to at least minDigits ("%02X", "%04X").
  [[gnu::always_inline]] Piece& Hex(unsigned long value, int minDigits) {
    if (value <= 0xFF && minDigits == 2 && size_ + 2 <= kLocalCapacity) {
      std::memcpy(local_ + size_, &piece_detail::kHexPairs[2 * value], 2);
      size_ += 2;
      return *this;
    }
    if (value <= 0xFFFF && minDigits == 4 && size_ + 4 <= kLocalCapacity) {
      std::memcpy(local_ + size_, &piece_detail::kHexPairs[2 * (value >> 8)], 2);
      std::memcpy(local_ + size_ + 2, &piece_detail::kHexPairs[2 * (value & 0xFF)], 2);
      size_ += 4;
      return *this;
    }
    return HexSlow(value, minDigits);
  }

  [[gnu::always_inline]] std::string_view View() const {
    return size_ <= kLocalCapacity ? std::string_view(local_, size_) : std::string_view(*spill_);
  }

 private:
  static constexpr std::size_t kSpilled = std::size_t{1} << 48;

  void AppendSlow(std::string_view text);
  Piece& DecimalSlow(long value);
  Piece& HexSlow(unsigned long value, int minDigits);

  char local_[kLocalCapacity + 1];
  std::size_t size_ = 0;
  std::unique_ptr<std::string> spill_;
};

}  // namespace morlune
