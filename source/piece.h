// One piece of shape source text, formatted by hand: literal text, signed
// decimal numbers and zero-filled upper-case hexadecimal.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace morlune {

struct Piece {
  // Pieces are formatted in a fixed local buffer; only a piece longer than
  // this (a name piece with a name of a thousand characters) moves to the
  // heap, and is still written whole.
  static constexpr std::size_t kLocalCapacity = 1023;

  Piece& Text(std::string_view text) {
    if (spill_.empty() && text.size() <= kLocalCapacity - size_) {
      std::memcpy(local_ + size_, text.data(), text.size());
      size_ += text.size();
    } else {
      AppendSlow(text);
    }
    return *this;
  }
  Piece& Char(char c) { return Text(std::string_view(&c, 1)); }
  // Signed decimal with a minus sign for negative values ("%d").
  Piece& Decimal(long value);
  // Upper-case hexadecimal, zero-filled to at least minDigits ("%02X", "%04X").
  Piece& Hex(unsigned long value, int minDigits);

  std::string_view View() const {
    return spill_.empty() ? std::string_view(local_, size_) : std::string_view(spill_);
  }

 private:
  void AppendSlow(std::string_view text);

  char local_[kLocalCapacity + 1];
  std::size_t size_ = 0;
  std::string spill_;
};

}  // namespace morlune
