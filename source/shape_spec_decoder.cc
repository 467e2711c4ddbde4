// Codes 0 to 14 with their operands and lists; every other byte is a
// hexadecimal item. The counter is a signed 16-bit count of the bytes the
// record declares; it wraps, and is tested only between items and after
// each code 9 pair.
#include "source/shape_spec_decoder.h"

#include "fontfile/container_words.h"
#include "source/piece.h"
#include "source/source_writer.h"

namespace morlune {
namespace {

void Lower(std::int16_t& counter, int bytes) { counter = static_cast<std::int16_t>(counter - bytes); }

int SignedByte(int byte) { return static_cast<std::int8_t>(static_cast<std::uint8_t>(byte)); }

// The next operand byte; a byte read at end of input counts as 0xFF.
int Operand(DumpContext& context, std::int16_t& counter) {
  Lower(counter, 1);
  return ReadByteOr0xFF(context.input);
}

// A 16-bit operand of code 7: high byte first.
long WordOperand(DumpContext& context, std::int16_t& counter) {
  int high = Operand(context, counter);
  int low = Operand(context, counter);
  return static_cast<long>(high) * 256 + low;
}

// A signed-magnitude byte (codes 10 and 11): bit 7 is the sign, written as
// "-", then "0" and the magnitude in two hexadecimal digits.
void SignMagnitude(Piece& piece, int byte) {
  if (byte & 0x80) piece.Char('-');
  piece.Char('0').Hex(static_cast<unsigned>(byte & 0x7F), 2);
}

void DecodeCode7(DumpContext& context, std::int16_t& counter) {
  Piece piece;
  if (context.kind == ShapeFileKind::kUnifont10) {
    long value = WordOperand(context, counter);
    if (context.decimalCodes) {
      piece.Text("7,").Decimal(value).Char(',');
    } else {
      piece.Text("7,0").Hex(static_cast<unsigned long>(value), 4).Char(',');
    }
    EmitWrapped(context, piece);
    return;
  }
  int first = Operand(context, counter);
  if (first != 0) {
    if (context.decimalCodes) {
      piece.Text("7,").Decimal(first).Char(',');
    } else {
      piece.Text("7,0").Hex(static_cast<unsigned>(first), 2).Char(',');
    }
    EmitWrapped(context, piece);
    return;
  }
  // The long form is hexadecimal with or without -d.
  long value = WordOperand(context, counter);
  piece.Text("7,(0,0").Hex(static_cast<unsigned long>(value), 4);
  for (int i = 0; i < 4; ++i) piece.Char(',').Decimal(SignedByte(Operand(context, counter)));
  piece.Text("),");
  EmitWrapped(context, piece);
}

// Returns 1 when the counter ran out inside the list (the shape is over).
int DecodeCode9List(DumpContext& context, std::int16_t& counter) {
  EmitWrapped(context, "9,");
  for (;;) {
    int x = SignedByte(Operand(context, counter));
    int y = SignedByte(Operand(context, counter));
    Piece pair;
    pair.Char('(').Decimal(x).Char(',').Decimal(y).Text("),");
    EmitWrapped(context, pair);
    if (x == 0 && y == 0) return 0;
    if (counter <= 0) return 1;
  }
}

// The counter is not tested inside the list; only the end of input stops a
// list that never closes. Returns 0 when the input ended inside the list.
int DecodeCode13List(DumpContext& context, std::int16_t& counter) {
  EmitWrapped(context, "13,");
  for (;;) {
    int x = context.input.Get();
    if (x == kEndOfInput) return 0;
    int y = context.input.Get();
    if (y == kEndOfInput) return 0;
    Lower(counter, 2);
    if (x == 0 && y == 0) {
      EmitWrapped(context, "(0,0),");
      return 1;
    }
    int bulge = context.input.Get();
    if (bulge == kEndOfInput) return 0;
    Lower(counter, 1);
    Piece entry;
    entry.Char('(').Decimal(SignedByte(x)).Char(',').Decimal(SignedByte(y)).Char(',').Decimal(SignedByte(bulge)).Text("),");
    EmitWrapped(context, entry);
  }
}

}  // namespace

int DecodeShapeSpec(DumpContext& context, std::int16_t counter) {
  while (counter > 0) {
    Lower(counter, 1);
    int code = context.input.Get();
    if (code == kEndOfInput) return 0;
    Piece piece;
    switch (code) {
      case 0:
        // Only a 0 on the last counted byte ends the line.
        EmitWrapped(context, counter > 0 ? std::string_view("0,") : std::string_view("0\n\n"));
        break;
      case 1:
      case 2:
      case 5:
      case 6:
        EmitWrapped(context, piece.Decimal(code).Char(','));
        break;
      case 3:
      case 4:
        piece.Decimal(code).Char(',').Decimal(Operand(context, counter)).Char(',');
        EmitWrapped(context, piece);
        break;
      case 7:
        DecodeCode7(context, counter);
        break;
      case 8: {
        int x = SignedByte(Operand(context, counter));
        int y = SignedByte(Operand(context, counter));
        EmitWrapped(context, piece.Text("8,(").Decimal(x).Char(',').Decimal(y).Text("),"));
        break;
      }
      case 9:
        if (DecodeCode9List(context, counter)) return 1;
        break;
      case 10: {
        int radius = Operand(context, counter);
        int octants = Operand(context, counter);
        piece.Text("10,(").Decimal(radius).Char(',');
        SignMagnitude(piece, octants);
        EmitWrapped(context, piece.Text("),"));
        break;
      }
      case 11: {
        piece.Text("11,(");
        for (int i = 0; i < 4; ++i) piece.Decimal(Operand(context, counter)).Char(',');
        SignMagnitude(piece, Operand(context, counter));
        EmitWrapped(context, piece.Text("),"));
        break;
      }
      case 12: {
        int x = SignedByte(Operand(context, counter));
        int y = SignedByte(Operand(context, counter));
        int bulge = SignedByte(Operand(context, counter));
        piece.Text("12,(").Decimal(x).Char(',').Decimal(y).Char(',').Decimal(bulge).Text("),");
        EmitWrapped(context, piece);
        break;
      }
      case 13:
        if (!DecodeCode13List(context, counter)) return 0;
        break;
      case 14:
        EmitWrapped(context, "14,");
        break;
      default:
        EmitWrapped(context, piece.Char('0').Hex(static_cast<unsigned>(code), 2).Char(','));
        break;
    }
  }
  return 1;
}

}  // namespace morlune
