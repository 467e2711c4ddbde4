// Splitting a record's specification bytes into items by the item grammar,
// one item at a time, and keeping the split of a record that subshapes call
// again and again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "grammar/shape_item.h"

namespace morlune {

// A specification holds at most 32767 bytes: its counter is a signed
// 16-bit number.
struct ItemSpan {
  std::uint16_t start = 0;
  std::uint16_t end = 0;
  bool whole = false;  // false: an operand or the closing pair lies past the record's end
};

// The item that begins at byte at (below size) of the specification. An
// item that is not whole reaches to the end of the specification.
ItemSpan SplitItem(const unsigned char* spec, std::size_t size, std::size_t at, Variant kind);

// The code and operands of a whole item that is not a list, as stored:
// bytes 0 to 255, 16-bit codes with their high byte first.
ShapeItem ReadItem(const unsigned char* spec, ItemSpan span, Variant kind);

// Operand i as a number: signed operands from -128 to 127, the others as
// stored.
inline int OperandValue(const ShapeItem& item, int i) {
  int stored = item.operands[i];
  return item.form->operands[i] == OperandKind::kSigned ? static_cast<signed char>(stored) : stored;
}

// The split of one record so far: where each item ends (item i begins where
// item i - 1 ends, the first at 0), and whether the item after the last one
// is cut short by the record's end.
struct KeptSplit {
  std::vector<std::uint16_t> ends;
  bool cutShort = false;
};

// Hands out a record's items in order. With a kept split, items already
// split are taken from it and new ones are added to it; without one, each
// item is split as it is asked for.
class ItemReader {
 public:
  ItemReader(const unsigned char* spec, std::size_t size, Variant kind, KeptSplit* kept)
      : spec_(spec), size_(size), kind_(kind), kept_(kept) {}

  // The next item; false once the record has none. An item that is not
  // whole is the record's last.
  bool Next(ItemSpan& span) {
    // Most items are vector bytes, whole on their own.
    if (kept_ == nullptr && at_ < size_ && spec_[at_] >= kFirstVectorByte) {
      span = {static_cast<std::uint16_t>(at_), static_cast<std::uint16_t>(at_ + 1), true};
      ++at_;
      return true;
    }
    return NextSplit(span);
  }

 private:
  bool NextSplit(ItemSpan& span);

  const unsigned char* spec_;
  std::size_t size_;
  Variant kind_;
  KeptSplit* kept_;
  std::size_t index_ = 0;  // with a kept split: the next item's number
  std::size_t at_ = 0;     // without one: where the next item begins
};

}  // namespace morlune
