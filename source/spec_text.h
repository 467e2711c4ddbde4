// Specification items as source text: the sink that ReadShapeItems hands a
// record's items to, one piece per item, list lead-in and list entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "grammar/shape_item.h"
#include "source/operand_text.h"
#include "source/source_writer.h"

namespace morlune {

// The sink keeps its own copy of the writer, so that the column can live in
// a register while a record is read; Finish hands it back. Items are
// formatted straight into the output.
struct SpecTextSink {
  SourceWriter writer;
  bool decimalCodes;

  void Finish(SourceWriter& to) const { to.outputColumn = writer.outputColumn; }

  // The lone items (vector bytes, codes without operands) at the head of
  // bytes, up to `most` of them, each its own piece of at most four
  // characters; returns how many it took. The table's empty entries, the
  // other bytes, end the run.
  [[gnu::always_inline]] std::size_t LoneItems(const unsigned char* bytes, std::size_t most) {
    return EmitShortPieces<LoneItemText::kWidth>(writer, most, [bytes](std::size_t i) -> const LoneItemText& {
      return kLoneItemTexts[bytes[i]];
    });
  }
  [[gnu::always_inline]] void Vector(int byte) {
    unsigned char stored = static_cast<unsigned char>(byte);
    LoneItems(&stored, 1);
  }

  [[gnu::always_inline]] void Item(const ShapeItem& item, std::int16_t counter) {
    if (item.code == 0) {
      // Only a 0 on the last counted byte ends the line.
      EmitWrapped(writer, counter > 0 ? std::string_view("0,") : std::string_view("0\n\n"));
      return;
    }
    // "code," then the operands, in parentheses where there are several,
    // each followed by its comma.
    InPlacePiece piece = BeginPiece(writer, kMaxItemPiece);
    ShortText& text = piece.text;
    text.Decimal(item.code).Char(',');
    int count = item.form->operandCount;
    if (count > 0) {
      if (count > 1) text.Char('(');
      for (int i = 0; i < count; ++i) {
        if (i > 0) text.Char(',');
        AppendOperandText(text, item.form->operands[i], item.operands[i], decimalCodes);
      }
      if (count > 1) text.Char(')');
      text.Char(',');
    }
    EndItemPiece(writer, piece);
  }

  [[gnu::always_inline]] void ListStart(int code) { EmitWrapped(writer, code == 9 ? std::string_view("9,") : std::string_view("13,")); }

  [[gnu::always_inline]] void ListEntry(const int* values, int count) {
    InPlacePiece piece = BeginPiece(writer, kMaxItemPiece);
    piece.text.Char('(');
    for (int i = 0; i < count; ++i) {
      if (i > 0) piece.text.Char(',');
      AppendOperandText(piece.text, OperandKind::kSigned, values[i], decimalCodes);
    }
    piece.text.Text("),");
    EndItemPiece(writer, piece);
  }
};

}  // namespace morlune
