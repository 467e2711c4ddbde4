// Header lines: the font-header lines of each variant and the shape header
// line, each line one piece of the wrapped writer but the "*BIGFONT" line.
#include "source/record_text.h"

#include <cstdint>

#include "source/operand_text.h"
#include "source/piece.h"

namespace morlune {
namespace {

void WriteValuesLine(SourceWriter& writer, const int* values, int count) {
  Piece line;
  for (int i = 0; i < count; ++i) {
    AppendOperandText(line, OperandKind::kHeaderValue, values[i], false);
    line.Char(',');
  }
  EmitWrapped(writer, line.Text("0\n\n"));
}

// The "*BIGFONT" line goes straight to the output: it is never wrapped and
// leaves the output column alone.
void WriteBigfontLine(SourceWriter& writer, const BigfontFacts& bigfont) {
  Piece line;
  const std::vector<EscapeRange>& ranges = *bigfont.escapeRanges;
  line.Text("*BIGFONT ").Decimal(bigfont.nonEmptyCount).Char(',').Decimal(static_cast<long>(ranges.size()));
  writer.output.Write(line.View());
  for (const EscapeRange& range : ranges) {
    Piece pair;
    pair.Text(",0").Hex(range.first, 2).Text(",0").Hex(range.last, 2);
    writer.output.Write(pair.View());
  }
  writer.output.Put('\n');
}

}  // namespace

std::string_view NameOrDefault(const ShapeRecordHead& head, bool escapedNames, EscapeNameBuffer& buffer) {
  return head.nameLength > 0 ? head.Name() : LookupCharName(head.code, escapedNames, buffer);
}

void WriteFontHeaderLines(SourceWriter& writer, ShapeFileKind kind, const ShapeRecordHead& head,
                          std::string_view name, const int* values, const BigfontFacts& bigfont) {
  Piece nameLine;
  if (kind == ShapeFileKind::kUnifont10) {
    nameLine.Text("*UNIFONT,");
  } else {
    if (kind == ShapeFileKind::kBigfont10) WriteBigfontLine(writer, bigfont);
    nameLine.Text("*0,");
  }
  nameLine.Decimal(head.counter).Char(',').Text(name).Char('\n');
  EmitWrapped(writer, nameLine);

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
  Piece codePiece;
  if (decimalCodes) {
    codePiece.Char('*').Decimal(head.code);
  } else {
    codePiece.Text("*0").Hex(head.code, 4);
  }
  EmitWrapped(writer, codePiece);
  Piece namePiece;
  namePiece.Char(',').Decimal(head.counter).Char(',').Text(name).Char('\n');
  EmitWrapped(writer, namePiece);
}

}  // namespace morlune
