// Reading a record's specification bytes as items, by the decompiler's
// rules: the counter of declared bytes, operands completed past the declared
// end, a byte read at end of input counting as 0xFF, and code 13 lists read
// to their closing pair wherever it lies.
#pragma once

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>

#include "fontfile/container_words.h"
#include "grammar/shape_item.h"
#include "platform/byte_input.h"

namespace morlune {

namespace shape_items_detail {

inline void Lower(std::int16_t& counter, int bytes) { counter = static_cast<std::int16_t>(counter - bytes); }

inline int ByteOr0xFF(WindowCursor& input) {
  int byte = input.Get();
  return byte == kEndOfInput ? kByteAtEnd : byte;
}

// The next operand of a kind; a byte read at end of input counts as 0xFF.
inline int ReadOperand(WindowCursor& input, OperandKind kind, std::int16_t& counter) {
  if (OperandBytes(kind) == 2) {
    Lower(counter, 2);
    int high = ByteOr0xFF(input);
    return high * 256 + ByteOr0xFF(input);
  }
  Lower(counter, 1);
  return ByteOr0xFF(input);
}

// A sink that writes runs of items straight from the bytes: from the head
// of the bytes the window holds, up to `most`, it takes whole items of its
// choice, stops before the first it leaves to the reader, and says how
// many bytes it took.
template <typename Sink>
concept TakesItemRuns = requires(Sink& sink, const unsigned char* bytes, std::size_t most) {
  { sink.ItemRun(bytes, most) } -> std::same_as<std::size_t>;
};

// A sink that keeps nothing of the items it is shown, only where the
// reading ends.
template <typename Sink>
concept KeepsNoItems = Sink::kKeepsNoItems;

// Reads the operands of a code with its form and hands the item over.
// Inline, so that where the form is one of the table's constants the loop
// over its operands unrolls.
template <typename Sink>
[[gnu::always_inline]] inline void ReadFixedItem(WindowCursor& input, int code, const ItemForm& form,
                                                 std::int16_t& counter, Sink& sink) {
  ShapeItem item;
  item.code = code;
  item.form = &form;
  for (int i = 0; i < form.operandCount; ++i) {
    item.operands[i] = ReadOperand(input, form.operands[i], counter);
    // The zero test looks at the byte value: a byte read at end of input
    // (0xFF) takes the one-byte form.
    if (i == 0 && form.opensLongForm && item.operands[0] == 0) {
      for (int j = 1; j < kLongForm.operandCount; ++j) item.operands[j] = ReadOperand(input, kLongForm.operands[j], counter);
      item.form = &kLongForm;
      break;
    }
  }
  sink.Item(item, counter);
}

}  // namespace shape_items_detail

// Reads the items of one record from the input, which stands at its first
// data byte, with counter bytes declared, and hands each to the sink:
//   sink.Vector(byte)                  a vector byte
//   sink.ItemRun(bytes, most)          where the sink has it, a run of whole
//                                      items from the input's window, in one
//                                      go (TakesItemRuns)
//   sink.Item(item, counter)           a code with its operands; counter is
//                                      what is left after it
//   sink.ListStart(code)               code 9 or 13
//   sink.ListEntry(values, count)      each pair or entry of the list, the
//                                      closing pair included (2 values)
// Returns 0 when the input ended where a code byte was due or inside a code
// 13 list (the record loop stops), 1 when the record is over.
template <typename Sink>
[[gnu::always_inline]] inline int ReadShapeItems(ByteInput& byteInput, Variant kind, std::int16_t counter, Sink& sink) {
  using namespace shape_items_detail;
  WindowCursor input(byteInput);
  while (counter > 0) {
    if constexpr (TakesItemRuns<Sink>) {
      // The counter bounds a run as it bounds items, and a run cut by the
      // window's end goes on byte by byte below (an empty window is refilled
      // there). A run that stops short of its bound stops at an item the
      // sink leaves to the reading below, read next without looking again.
      std::size_t most = std::min(input.Ready(), static_cast<std::size_t>(counter));
      std::size_t run = sink.ItemRun(input.Begin(), most);
      input.Skip(run);
      Lower(counter, static_cast<int>(run));
      if (run == most && run > 0) continue;
    }
    Lower(counter, 1);
    int code = input.Get();
    if (code == kEndOfInput) return 0;
    if (code >= kFirstVectorByte) {
      sink.Vector(code);
      continue;
    }
    switch (code) {
      case 9:
        // The counter is tested after each pair: a list that outlasts its
        // record ends the record there, without a closing pair.
        sink.ListStart(code);
        for (;;) {
          int pair[2];
          pair[0] = ReadOperand(input, OperandKind::kSigned, counter);
          pair[1] = ReadOperand(input, OperandKind::kSigned, counter);
          sink.ListEntry(pair, 2);
          if (pair[0] == 0 && pair[1] == 0) break;
          if (counter <= 0) return 1;
          // Past the end of input every pair reads as two 0xFF bytes, never
          // the closing pair, so the list runs on to the record's end: up
          // to 16383 pairs, handed over without asking the input for each
          // byte, or not at all to a sink that keeps nothing.
          if (input.AtEnd()) {
            if constexpr (!KeepsNoItems<Sink>) {
              const int pastEnd[2] = {kByteAtEnd, kByteAtEnd};
              do {
                Lower(counter, 2);
                sink.ListEntry(pastEnd, 2);
              } while (counter > 0);
            }
            return 1;
          }
        }
        break;
      case 13:
        // The counter is not tested inside the list; only the end of input
        // stops a list that never closes, and its partial entry is dropped.
        sink.ListStart(code);
        for (;;) {
          int entry[3];
          entry[0] = input.Get();
          if (entry[0] == kEndOfInput) return 0;
          entry[1] = input.Get();
          if (entry[1] == kEndOfInput) return 0;
          Lower(counter, 2);
          if (entry[0] == 0 && entry[1] == 0) {
            sink.ListEntry(entry, 2);
            break;
          }
          entry[2] = input.Get();
          if (entry[2] == kEndOfInput) return 0;
          Lower(counter, 1);
          sink.ListEntry(entry, 3);
        }
        break;
      case 7:
        ReadFixedItem(input, code, ItemFormOf(code, kind), counter, sink);
        break;
      // Each other code with its form as a constant.
#define MORLUNE_FIXED_CODE(n) \
  case n:                     \
    ReadFixedItem(input, n, kCodeTable[n], counter, sink); \
    break;
      MORLUNE_FIXED_CODE(0) MORLUNE_FIXED_CODE(1) MORLUNE_FIXED_CODE(2) MORLUNE_FIXED_CODE(3)
      MORLUNE_FIXED_CODE(4) MORLUNE_FIXED_CODE(5) MORLUNE_FIXED_CODE(6) MORLUNE_FIXED_CODE(8)
      MORLUNE_FIXED_CODE(10) MORLUNE_FIXED_CODE(11) MORLUNE_FIXED_CODE(12) MORLUNE_FIXED_CODE(14)
#undef MORLUNE_FIXED_CODE
    }
  }
  return 1;
}

// A sink that takes the items and keeps nothing, for readers that need
// only where a record's reading ends.
struct SkipItems {
  static constexpr bool kKeepsNoItems = true;
  void Vector(int) {}
  void Item(const ShapeItem&, std::int16_t) {}
  void ListStart(int) {}
  void ListEntry(const int*, int) {}
};

}  // namespace morlune
