// Specification items as source text: the sink that ReadShapeItems hands a
// record's items to, one piece per item, list lead-in and list entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "grammar/item_grammar.h"
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

  // The items at the head of bytes that make most of a stroke font, within
  // `most` bytes: lone items (vector bytes, codes without operands) and
  // code 8 moves. They go out one after another without a guess at each
  // item's kind, and the first other item ends the run (as does a move
  // whose operands pass the bound). Returns the bytes taken.
  [[gnu::always_inline]] std::size_t ItemRun(const unsigned char* bytes, std::size_t most) {
    constexpr int kMove = kCodeDisplacement;
    constexpr const ItemForm& kMoveForm = kCodeTable[kMove];
    static_assert(kMoveForm.operandCount == 2 && OperandBytes(kMoveForm.operands[0]) == 1 &&
                  OperandBytes(kMoveForm.operands[1]) == 1);
    std::int32_t column = writer.outputColumn;
    std::size_t i = 0;
    for (bool ended = false; i < most && !ended;) {
      std::size_t end = most - i < kRunShare ? most : i + kRunShare;
      char* at = writer.output.Reserve(RunRoom(end - i));
      while (i < end) {
        char* start = at;
        const LoneItemText& lone = kLoneItemTexts[bytes[i]];
        if (lone.length != 0) {
          std::memcpy(at, lone.text, LoneItemText::kWidth);
          at += lone.length;
          i += 1;
        } else if (bytes[i] == kMove && end - i >= 3) {
          ShortText text{at};
          text.Text("8,(");
          AppendOperandText(text, kMoveForm.operands[0], bytes[i + 1], decimalCodes);
          text.Char(',');
          AppendOperandText(text, kMoveForm.operands[1], bytes[i + 2], decimalCodes);
          text.Text("),");
          at = text.at;
          i += 3;
        } else {
          // A move cut by the share's end goes on in the next share.
          ended = bytes[i] != kMove || end == most;
          break;
        }
        PlaceRunPiece(start, at, column);
      }
      writer.output.Commit(at);
    }
    writer.outputColumn = column;
    return i;
  }
  [[gnu::always_inline]] void Vector(int byte) {
    unsigned char stored = static_cast<unsigned char>(byte);
    ItemRun(&stored, 1);
  }

  [[gnu::always_inline]] void Item(const ShapeItem& item, std::int16_t counter) {
    if (item.code == kCodeEnd) {
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

  [[gnu::always_inline]] void ListStart(int code) { EmitWrapped(writer, code == kCodeDisplacementList ? std::string_view("9,") : std::string_view("13,")); }

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
