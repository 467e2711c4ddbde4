// Each kind of number in shape source text, both ways: the text that the
// decompiler writes for its stored value, and the stored value that the
// compiler makes of a number read from the text. One place per kind, so
// that the two directions cannot drift apart.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "grammar/item_grammar.h"
#include "platform/short_text.h"

namespace morlune {

// A number as the source text spells it: its value, and whether it was
// written "-0" (which only the sign-magnitude kind tells from 0).
struct SourceNumber {
  long value = 0;
  bool negativeZero = false;
};

// Bytes to text: appends the text of a stored value (a byte, or a 16-bit
// code) to a ShortText. With decimalCodes the codes of code 7 are
// decimal, as under -d; the long form's code stays hexadecimal.
template <typename Text>
[[gnu::always_inline]] constexpr void AppendOperandText(Text& piece, OperandKind kind, int stored, bool decimalCodes) {
  switch (kind) {
    case OperandKind::kItemCode:
      // Codes are decimal, vector bytes hexadecimal.
      if (stored < kFirstVectorByte) {
        piece.Decimal(stored);
      } else {
        piece.Char('0').Hex(static_cast<unsigned>(stored), 2);
      }
      return;
    case OperandKind::kUnsigned:
      piece.Decimal(stored);
      return;
    case OperandKind::kSigned:
    case OperandKind::kHeaderValue:
      piece.Decimal(static_cast<std::int8_t>(static_cast<std::uint8_t>(stored)));
      return;
    case OperandKind::kSignMagnitude:
      // Bit 7 is the sign, written as "-", then "0" and the magnitude in
      // two hexadecimal digits.
      if (stored & 0x80) piece.Char('-');
      piece.Char('0').Hex(static_cast<unsigned>(stored & 0x7F), 2);
      return;
    case OperandKind::kShapeCode:
      // A 0 here opens the long form and stands alone.
      if (stored == 0 || decimalCodes) {
        piece.Decimal(stored);
      } else {
        piece.Char('0').Hex(static_cast<unsigned>(stored), 2);
      }
      return;
    case OperandKind::kUnifontCode:
      if (decimalCodes) {
        piece.Decimal(stored);
      } else {
        piece.Char('0').Hex(static_cast<unsigned>(stored), 4);
      }
      return;
    case OperandKind::kLongFormCode:
      piece.Char('0').Hex(static_cast<unsigned>(stored), 4);
      return;
  }
}

// The piece of every lone item (IsLoneItem): "0XY," for a vector byte,
// "1," to "14," for a code, at most four characters, left-aligned. A run
// of lone items is written from this table in one go.
struct LoneItemText {
  static constexpr std::size_t kWidth = 4;
  char text[kWidth];
  std::uint8_t length;
};
constexpr std::array<LoneItemText, 256> MakeLoneItemTexts() {
  std::array<LoneItemText, 256> table{};
  for (int byte = 0; byte < 256; ++byte) {
    if (!IsLoneItem(byte)) continue;
    char piece[LoneItemText::kWidth + ShortText::kOverhang] = {};
    ShortText text{piece};
    AppendOperandText(text, OperandKind::kItemCode, byte, false);
    text.Char(',');
    auto length = static_cast<std::size_t>(text.at - piece);
    if (length > LoneItemText::kWidth) throw "a lone item is at most four characters";
    LoneItemText& entry = table[static_cast<std::size_t>(byte)];
    for (std::size_t i = 0; i < length; ++i) entry.text[i] = piece[i];
    entry.length = static_cast<std::uint8_t>(length);
  }
  return table;
}
inline constexpr std::array<LoneItemText, 256> kLoneItemTexts = MakeLoneItemTexts();
namespace operand_text_detail {
// The numbers each kind accepts, and the bits of a negative one that it
// stores (two's complement within the width).
struct AcceptedRange {
  long lowest, highest;
  long storedBits;
};
inline constexpr AcceptedRange kAccepted[] = {
    /* kItemCode */ {0, 255, 0xFF},
    /* kUnsigned */ {0, 255, 0xFF},
    /* kSigned */ {-128, 127, 0xFF},
    /* kSignMagnitude */ {-127, 127, 0xFF},
    /* kShapeCode */ {0, 255, 0xFF},
    /* kUnifontCode */ {0, 0xFFFF, 0xFFFF},
    /* kLongFormCode */ {0, 0xFFFF, 0xFFFF},
    /* kHeaderValue */ {-128, 255, 0xFF},
};
static_assert(std::size(kAccepted) == static_cast<std::size_t>(OperandKind::kHeaderValue) + 1);
}  // namespace operand_text_detail

// Text to bytes: the stored value of a number read where a number of the
// kind stands, or false when the kind does not accept it. A table rather
// than a switch: the compiler takes every number of a text through here.
inline bool StoredOperandValue(OperandKind kind, SourceNumber number, int& stored) {
  const operand_text_detail::AcceptedRange& range = operand_text_detail::kAccepted[static_cast<int>(kind)];
  long v = number.value;
  if (v < range.lowest || v > range.highest) return false;
  // Sign-magnitude: bit 7 the sign ("-0" too), the magnitude below it.
  if (kind == OperandKind::kSignMagnitude && (v < 0 || number.negativeZero)) v = 0x80 | -v;
  stored = static_cast<int>(v & range.storedBits);
  return true;
}

// What a place of the kind is and the numbers it accepts, for the message
// about a number that StoredOperandValue refuses.
constexpr const char* OperandRangeText(OperandKind kind) {
  switch (kind) {
    case OperandKind::kItemCode:
      return "a code or vector byte (0 to 255)";
    case OperandKind::kUnsigned:
      return "an unsigned operand (0 to 255)";
    case OperandKind::kSigned:
      return "a signed operand (-128 to 127)";
    case OperandKind::kSignMagnitude:
      return "a sign-magnitude operand (-127 to 127, or -0)";
    case OperandKind::kShapeCode:
      return "the subshape code of code 7 (0 to 255; 0 opens the long form)";
    case OperandKind::kUnifontCode:
      return "the subshape code of code 7 in a unifont (0 to 65535)";
    case OperandKind::kLongFormCode:
      return "the subshape code of code 7's long form (0 to 65535)";
    case OperandKind::kHeaderValue:
      return "a font-header value (-128 to 255)";
  }
  return "";
}

}  // namespace morlune
