// One piece of shape source text of any length, formatted by hand: literal
// text, signed decimal numbers and zero-filled upper-case hexadecimal.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/short_copy.h"
#include "source/short_text.h"

namespace morlune {

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
    return Number([value](ShortText& text) { text.Decimal(value); });
  }
  // Upper-case hexadecimal, zero-filled to at least minDigits ("%02X", "%04X").
  [[gnu::always_inline]] Piece& Hex(unsigned long value, int minDigits) {
    return Number([value, minDigits](ShortText& text) { text.Hex(value, minDigits); });
  }

  [[gnu::always_inline]] std::string_view View() const {
    return size_ <= kLocalCapacity ? std::string_view(local_, size_) : std::string_view(*spill_);
  }

 private:
  static constexpr std::size_t kSpilled = std::size_t{1} << 48;
  static constexpr std::size_t kNumberRoom = ShortText::kMaxNumber + ShortText::kOverhang;

  // A number goes straight into the local buffer while it has room for the
  // longest number; otherwise it is formatted aside and appended.
  template <typename Format>
  [[gnu::always_inline]] Piece& Number(Format format) {
    if (size_ + kNumberRoom <= sizeof local_) {
      ShortText text{local_ + size_};
      format(text);
      size_ = static_cast<std::size_t>(text.at - local_);
      return *this;
    }
    char aside[kNumberRoom];
    ShortText text{aside};
    format(text);
    AppendOutOfLine(std::string_view(aside, static_cast<std::size_t>(text.at - aside)));
    return *this;
  }

  void AppendOutOfLine(std::string_view text);
  void AppendSlow(std::string_view text);

  char local_[kLocalCapacity + 1];
  std::size_t size_ = 0;
  std::unique_ptr<std::string> spill_;
};

}  // namespace morlune
