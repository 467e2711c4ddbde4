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
// The room a name line takes: a prefix ("*UNIFONT," or ","), a counter and
// ",", the name and its line end. Reserved by the name's length, so that
// the output is not sent on sooner than it needs.
constexpr std::size_t kMaxNameLinePrefix = 16;
constexpr std::size_t NameLineRoom(std::string_view keptName) {
  return kMaxNameLinePrefix + ShortText::kMaxNumber + keptName.size() + 1;
}
static_assert(kMaxNameLineLength == NameLineRoom(std::string_view("", 0)) + kMaxNameLength);
static_assert(kMaxNameLineLength <= kMaxPieceLength);

}  // namespace

void AppendNameLine(ShortText& text, Variant kind, int counter, std::string_view name) {
  text.Text(kind == Variant::kUnifont ? "*UNIFONT," : "*0,");
  text.Decimal(counter).Char(',').Name(KeptName(name)).Char('\n');
}

void AppendValuesLine(ShortText& text, const int* values, int count, OperandKind kind) {
  for (int i = 0; i < count; ++i) {
    AppendOperandText(text, kind, values[i], false);
    text.Char(',');
  }
  text.Text("0\n");
}

// Each range is formatted on its own, as a font may have thousands.
void WriteBigfontLine(SourceWriter& writer, long recordCount, std::span<const EscapeRangeEntry> ranges) {
  constexpr std::size_t kRoom = 32 + ShortText::kOverhang;
  ShortText head{writer.output.Reserve(kRoom)};
  head.Text("*BIGFONT ").Decimal(recordCount).Char(',').Decimal(static_cast<long>(ranges.size()));
  writer.output.Commit(head.at);
  for (const EscapeRangeEntry& range : ranges) {
    ShortText pair{writer.output.Reserve(kRoom)};
    pair.Text(",0").Hex(range.first, 2).Text(",0").Hex(range.last, 2);
    writer.output.Commit(pair.at);
  }
  writer.output.Put('\n');
}

std::string_view NameOrDefault(const ShapeRecordHead& head, bool escapedNames, EscapeNameBuffer& buffer) {
  return head.nameLength > 0 ? head.Name() : LookupCharName(head.code, escapedNames, buffer);
}

void WriteFontHeaderLines(SourceWriter& writer, Variant kind, const ShapeRecordHead& head,
                          std::string_view name, const int* values, const BigfontFacts& bigfont) {
  if (kind == Variant::kBigfont) WriteBigfontLine(writer, bigfont.nonEmptyCount, *bigfont.escapeRanges);
  InPlacePiece nameLine = BeginPiece(writer, NameLineRoom(KeptName(name)));
  AppendNameLine(nameLine.text, kind, head.counter, name);
  EndPiece(writer, nameLine);

  // The last byte read is never printed: the line ends in a literal 0.
  int printed = 3;
  if (kind == Variant::kUnifont) {
    printed = 5;
  } else if (kind == Variant::kBigfont && head.counter > 4) {
    printed = 4;
  }
  // A blank line parts the header from the first shape.
  InPlacePiece valuesLine = BeginPiece(writer, kMaxItemPiece);
  AppendValuesLine(valuesLine.text, values, printed, OperandKind::kHeaderValue);
  valuesLine.text.Char('\n');
  EndPiece(writer, valuesLine);
}

void WriteShapeHeaderLine(SourceWriter& writer, std::uint16_t code, int counter, std::string_view name,
                          bool decimalCodes) {
  name = KeptName(name);
  InPlacePiece codePiece = BeginPiece(writer, kMaxItemPiece);
  if (decimalCodes) {
    codePiece.text.Char('*').Decimal(code);
  } else {
    codePiece.text.Text("*0").Hex(code, 4);
  }
  EndItemPiece(writer, codePiece);
  InPlacePiece namePiece = BeginPiece(writer, NameLineRoom(name));
  namePiece.text.Char(',').Decimal(counter).Char(',').Name(name).Char('\n');
  EndPiece(writer, namePiece);
}

}  // namespace morlune
