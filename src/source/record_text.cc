// Header lines: the font-header lines of each variant and the shape header
// line, each line one piece of the wrapped writer but the "*BIGFONT" line.
#include "source/record_text.h"

#include <cstdint>

#include "source/operand_text.h"

namespace morlune {
namespace {

// A name longer than the reader keeps is cut as the reader cuts it, so that
// every header piece fits the room the writer makes for a piece.
std::string_view KeptName(std::string_view name) { return name.substr(0, kMaxNameLength); }
constexpr std::size_t kMaxNameLinePrefix = 16;  // "*UNIFONT," or ",", a counter and ","
static_assert(kMaxNameLinePrefix + ShortText::kMaxNumber + kMaxNameLength + 1 <= kMaxPieceLength);

void WriteValuesLine(SourceWriter& writer, const int* values, int count) {
  InPlacePiece line = BeginPiece(writer, kMaxItemPiece);
  for (int i = 0; i < count; ++i) {
    AppendOperandText(line.text, OperandKind::kHeaderValue, values[i], false);
    line.text.Char(',');
  }
  line.text.Text("0\n\n");
  EndPiece(writer, line);
}

// The "*BIGFONT" line goes straight to the output: it is never wrapped and
// leaves the output column alone. Each range is formatted on its own, as a
// font may have thousands.
void WriteBigfontLine(SourceWriter& writer, const BigfontFacts& bigfont) {
  constexpr std::size_t kRoom = 32 + ShortText::kOverhang;
  const std::vector<EscapeRangeEntry>& ranges = *bigfont.escapeRanges;
  ShortText head{writer.output.Reserve(kRoom)};
  head.Text("*BIGFONT ").Decimal(bigfont.nonEmptyCount).Char(',').Decimal(static_cast<long>(ranges.size()));
  writer.output.Commit(head.at);
  for (const EscapeRangeEntry& range : ranges) {
    ShortText pair{writer.output.Reserve(kRoom)};
    pair.Text(",0").Hex(range.first, 2).Text(",0").Hex(range.last, 2);
    writer.output.Commit(pair.at);
  }
  writer.output.Put('\n');
}

}  // namespace

std::string_view NameOrDefault(const ShapeRecordHead& head, bool escapedNames, EscapeNameBuffer& buffer) {
  return head.nameLength > 0 ? head.Name() : LookupCharName(head.code, escapedNames, buffer);
}

void WriteFontHeaderLines(SourceWriter& writer, ShapeFileKind kind, const ShapeRecordHead& head,
                          std::string_view name, const int* values, const BigfontFacts& bigfont) {
  name = KeptName(name);
  if (kind == ShapeFileKind::kBigfont10) WriteBigfontLine(writer, bigfont);
  InPlacePiece nameLine = BeginPiece(writer, kMaxNameLinePrefix + ShortText::kMaxNumber + name.size() + 1);
  nameLine.text.Text(kind == ShapeFileKind::kUnifont10 ? "*UNIFONT," : "*0,");
  nameLine.text.Decimal(head.counter).Char(',').Name(name).Char('\n');
  EndPiece(writer, nameLine);

  // The last byte read is never printed: the line ends in a literal 0.
  int printed = 3;
  if (kind == ShapeFileKind::kUnifont10) {
    printed = 5;
  } else if (kind == ShapeFileKind::kBigfont10 && head.counter > 4) {
    printed = 4;
  }
  WriteValuesLine(writer, values, printed);
}

void WriteShapeHeaderLine(SourceWriter& writer, const ShapeRecordHead& head, std::string_view name,
                          bool decimalCodes) {
  name = KeptName(name);
  InPlacePiece codePiece = BeginPiece(writer, kMaxItemPiece);
  if (decimalCodes) {
    codePiece.text.Char('*').Decimal(head.code);
  } else {
    codePiece.text.Text("*0").Hex(head.code, 4);
  }
  EndItemPiece(writer, codePiece);
  InPlacePiece namePiece = BeginPiece(writer, kMaxNameLinePrefix + ShortText::kMaxNumber + name.size() + 1);
  namePiece.text.Char(',').Decimal(head.counter).Char(',').Name(name).Char('\n');
  EndPiece(writer, namePiece);
}

}  // namespace morlune
