// Shape records: the name with its counter, the default name, the
// font-header lines of each variant and the shape header line.
#include "source/shape_record.h"

#include <cstdint>
#include <string_view>

#include "fontfile/container_words.h"
#include "fontfile/record_cursor.h"
#include "source/char_names.h"
#include "source/piece.h"
#include "source/shape_spec_decoder.h"
#include "source/source_writer.h"

namespace morlune {
namespace {

// A name keeps at most this many characters; longer names are cut, but all
// their bytes are still read and counted.
constexpr int kMaxNameLength = 1023;

struct ShapeName {
  char text[kMaxNameLength];
  int length = 0;
  std::string_view View() const { return std::string_view(text, static_cast<std::size_t>(length)); }
};

// Reads the name up to its zero byte, lowering the counter for every byte
// and for the terminator. Returns false at end of input.
bool ReadName(DumpContext& context, ShapeName& name, std::int16_t& counter) {
  for (;;) {
    int byte = context.input.Get();
    counter = static_cast<std::int16_t>(counter - 1);
    if (byte == 0) return true;
    if (byte == kEndOfInput) return false;
    if (name.length < kMaxNameLength) name.text[name.length++] = static_cast<char>(byte);
  }
}

// The font-header bytes print as signed 8-bit values; a byte missing at the
// end of input prints as -1.
int HeaderByte(DumpContext& context) {
  return static_cast<std::int8_t>(static_cast<std::uint8_t>(ReadByteOr0xFF(context.input)));
}

void WriteValuesLine(DumpContext& context, const int* values, int count) {
  Piece line;
  for (int i = 0; i < count; ++i) line.Decimal(values[i]).Char(',');
  EmitWrapped(context, line.Text("0\n\n"));
}

// The "*BIGFONT" line goes straight to the output: it is never wrapped and
// leaves the output column alone.
void WriteBigfontLine(DumpContext& context) {
  Piece line;
  line.Text("*BIGFONT ").Decimal(context.nonEmptyCount).Char(',').Decimal(context.escapeRangeCount);
  context.output.Write(line.View());
  for (const EscapeRange& range : context.escapeRanges) {
    Piece pair;
    pair.Text(",0").Hex(range.first, 2).Text(",0").Hex(range.last, 2);
    context.output.Write(pair.View());
  }
  context.output.Put('\n');
}

void WriteFontHeader(DumpContext& context, const ShapeName& name, std::int16_t counter) {
  int values[6];
  int bytesRead = context.kind == ShapeFileKind::kUnifont10 ? 6 : 4;
  for (int i = 0; i < bytesRead; ++i) values[i] = HeaderByte(context);

  Piece nameLine;
  if (context.kind == ShapeFileKind::kUnifont10) {
    nameLine.Text("*UNIFONT,");
  } else {
    if (context.kind == ShapeFileKind::kBigfont10) WriteBigfontLine(context);
    nameLine.Text("*0,");
  }
  nameLine.Decimal(counter).Char(',').Text(name.View()).Char('\n');
  EmitWrapped(context, nameLine);

  int printed = 3;
  if (context.kind == ShapeFileKind::kUnifont10) {
    printed = 5;
  } else if (context.kind == ShapeFileKind::kBigfont10 && counter > 4) {
    printed = 4;
  }
  WriteValuesLine(context, values, printed);
}

}  // namespace

int DumpShape(DumpContext& context) {
  ShapeRecordPlace place;
  switch (NextShapeRecord(context, place)) {
    case RecordStep::kSkip:
      return 1;
    case RecordStep::kStop:
      return 0;
    case RecordStep::kReady:
      break;
  }
  std::int16_t counter = static_cast<std::int16_t>(place.length);
  ShapeName name;
  if (!ReadName(context, name, counter)) return 0;
  if (name.length == 0) {
    std::string_view fallback = LookupCharName(context, place.code);
    fallback.copy(name.text, fallback.size());
    name.length = static_cast<int>(fallback.size());
  }

  if (place.code == 0) {
    WriteFontHeader(context, name, counter);
    return 1;
  }
  Piece codePiece;
  if (context.decimalCodes) {
    codePiece.Char('*').Decimal(place.code);
  } else {
    codePiece.Text("*0").Hex(place.code, 4);
  }
  EmitWrapped(context, codePiece);
  Piece namePiece;
  namePiece.Char(',').Decimal(counter).Char(',').Text(name.View()).Char('\n');
  EmitWrapped(context, namePiece);
  return DecodeShapeSpec(context, counter);
}

}  // namespace morlune
