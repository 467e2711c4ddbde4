// Source text: specification bytes in, items out (every code, the lists, the counter, the end of input, the line
// breaks); the 65-column wrap of the writer; the hand formatting of pieces.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/file_io.h"
#include "source/font_source.h"
#include "source/source_writer.h"
#include "tests/support/captured_text.h"
#include "tests/support/process_run.h"

namespace morlune {
namespace {

using Bytes = std::vector<unsigned char>;
constexpr int kEnd = kEndOfInput;
constexpr auto k10 = Variant::kShapes10, kUni = Variant::kUnifont;

struct Row {
  const char* what;
  Bytes bytes;
  int counter;
  std::string text;
  int result = 1, next = kEnd, startColumn = 0;  // next: the byte the input yields after decoding
  Variant kind = Variant::kShapes11;
  int decimalCodes = 0;
};

std::string Times(int count, const std::string& text) {
  std::string all;
  while (count-- > 0) all += text;
  return all;
}

// Decodes the row's bytes; returns the text written, the result and the byte the input yields next.
std::tuple<std::string, int, int> Decode(const Row& row) {
  ByteInput input;
  input.AttachMemory(row.bytes.data(), row.bytes.size());
  int result = 0;
  std::string text = testing::Captured([&](TextOutput& output) {
    SourceWriter writer(output);
    writer.outputColumn = row.startColumn;
    result = DecodeShapeSpec(input, row.kind, writer, row.decimalCodes != 0, static_cast<std::int16_t>(row.counter));
  });
  return {text, result, input.Get()};
}

void Check(const std::vector<Row>& rows) {
  for (const Row& row : rows) EXPECT_EQ(Decode(row), std::tie(row.text, row.result, row.next)) << row.what;
}

TEST(DecodeShapeSpec, EveryCodeListAndLineBreak) {
  Check({
      {"counter 0 reads nothing", {1}, 0, "", 1, 1},
      {"negative counter reads nothing", {1}, -5, "", 1, 1},
      {"only the last counted 0 ends the line", {1, 0, 2, 0}, 4, "1,0,2,0\n\n"},
      {"codes 1 to 6 and 14, then hexadecimal items", {1, 2, 3, 0x80, 4, 0xFF, 5, 6, 14, 15, 16, 0x7F, 0xA0, 255}, 14,
       "1,2,3,128,4,255,5,6,14,00F,010,07F,0A0,0FF,"},
      {"8 and 12 signed", {8, 0xFF, 1, 8, 0x80, 0x7F, 12, 5, 0xFB, 0x7F}, 10, "8,(-1,1),8,(-128,127),12,(5,-5,127),"},
      {"code 10 sign and magnitude", {10, 3, 0x92, 10, 0xC8, 0x80, 10, 0, 0x12}, 9,
       "10,(3,-012),10,(200,-000),10,(0,012),"},
      {"code 11", {11, 1, 2, 3, 0xC8, 0x85, 11, 0, 0, 0, 255, 0x7F}, 12, "11,(1,2,3,200,-005),11,(0,0,0,255,07F),"},
      {"stops at the counter", {1, 2, 0x41}, 2, "1,2,", 1, 0x41},
      {"a run of vectors stops at the counter", {0x10, 0x21, 0x32}, 2, "010,021,", 1, 0x32},
      {"code 11 on the last counted byte", {11, 1, 2, 3, 4, 5, 9}, 1, "11,(1,2,3,4,005),", 1, 9},
      // An operand read at the end of input is 0xFF.
      {"end where a code is due", {}, 5, "", 0},
      {"end in code 8, code due", {8}, 5, "8,(-1,-1),", 0},
      {"end in code 8, counter spent", {8}, 3, "8,(-1,-1),"},
      {"7 short", {7, 0x41, 2, 0}, 4, "7,041,2,0\n\n"},
      {"7 short -d", {7, 0xC8}, 2, "7,200,", 1, kEnd, 0, k10, 1},
      {"7 long -d is hex", {7, 0, 0, 0x90, 0xFE, 0x80, 0x7F, 6}, 8, "7,(0,00090,-2,-128,127,6),", 1, kEnd, 0, k10, 1},
      {"7 unifont", {7, 1, 0x90}, 3, "7,00190,", 1, kEnd, 0, kUni},
      {"7 unifont -d", {7, 1, 0x90}, 3, "7,400,", 1, kEnd, 0, kUni, 1},
      {"7 unifont leading 0", {7, 0, 5, 1}, 4, "7,00005,1,", 1, kEnd, 0, kUni},
      {"7 unifont largest -d", {7, 0xFF, 0xFF}, 3, "7,65535,", 1, kEnd, 0, kUni, 1},
      // Lists: code 9 pairs up to (0,0) or the counter, code 13 entries up to (0,0) alone.
      {"9 then the next code", {9, 1, 2, 0, 0, 0}, 6, "9,(1,2),(0,0),0\n\n"},
      {"9: one zero is a pair", {9, 0, 3, 0xFF, 0x80, 3, 0, 0, 0}, 9, "9,(0,3),(-1,-128),(3,0),(0,0),"},
      {"9: pair reaching 0", {9, 1, 2, 3, 4, 0, 0}, 3, "9,(1,2),", 1, 3},
      {"9: pair passing 0", {9, 1, 2, 3, 4, 0, 0}, 4, "9,(1,2),(3,4),", 1, 0},
      {"9: end of input", {9, 1, 2}, 7, "9,(1,2),(-1,-1),(-1,-1),"},
      {"13", {13, 1, 2, 3, 0, 5, 7, 5, 0, 0xFF, 0x80, 0x7F, 0, 0, 0}, 15,
       "13,(1,2,3),(0,5,7),(5,0,-1),(-128,127,0),(0,0),"},
      {"13: empty", {13, 0, 0, 2}, 4, "13,(0,0),2,"},
      {"13: past the counter", {13, 1, 2, 3, 4, 5, 6, 0, 0, 0x41}, 1, "13,(1,2,3),(4,5,6),(0,0),", 1, 0x41},
      // The list reads on past the counter; only the end of input ends it, and ends the shape.
      {"13: end at the lead-in", {13}, 1, "13,", 0},
      {"13: end at the third byte", {13, 1, 2, 3, 4, 5}, 1, "13,(1,2,3),", 0},
      // A first code at every place in a word of eight bytes ends a run of vector bytes there.
      {"codes inside runs", {0x0F, 0x80, 0xFF, 0x8E, 0x10, 0x7F, 0x8F, 0xF0, 0x0F, 14, 0x0F, 0xFF, 0x10, 0x20, 0x30,
                             0x40, 0x50, 0, 0x10}, 19,
       "00F,080,0FF,08E,010,07F,08F,0F0,00F,14,00F,0FF,010,020,030,040,\n050,0,010,"},
      // Line breaks fall between pieces.
      {"vector run from 61", {0x10, 0x21, 0x32}, 3, "010,\n021,032,", 1, kEnd, 61},
      {"vector run from 62", {0x10, 0x21, 0x32}, 3, "\n010,021,032,", 1, kEnd, 62},
      {"seventeen vectors", Bytes(17, 0xAB), 17, Times(16, "0AB,") + "\n0AB,"},
      {"closing piece moves whole", {0}, 1, "\n0\n\n", 1, kEnd, 63},
      {"code 9 pairs are pieces", {9, 10, 20, 0, 0}, 5, "9,(10,20),\n(0,0),", 1, kEnd, 54},
      {"code 13 lead-in stays at 65", {13, 1, 2, 3, 0, 0}, 6, "13,\n(1,2,3),(0,0),", 1, kEnd, 62},
      {"a move ends at 65", {8, 0xFF, 0x80}, 3, "8,(-1,-128),", 1, kEnd, 53},
      {"a move passing 65 moves whole", {8, 0xFF, 0x80}, 3, "\n8,(-1,-128),", 1, kEnd, 54},
      {"a move whose operands pass the counter", {0x10, 8, 1, 2, 0x41}, 3, "010,8,(1,2),", 1, 0x41},
  });
}

// A record of a few thousand bytes of vectors and moves: eight moves "8,(1,2)," fill a line to column 64. The
// writer asks for room a share of the record at a time; one, two or three vectors before the moves put a move
// across each place where a share can end.
TEST(DecodeShapeSpec, LongRunsOfMoves) {
  const std::string move = "8,(1,2),";
  // Vectors before the moves, and the moves that fit after them on the first line: 4 + 7 * 8 = 60 and 8 + 7 * 8 = 64,
  // but 12 + 7 * 8 = 68.
  for (auto [vectors, firstLine] : {std::pair(1, 7), std::pair(2, 7), std::pair(3, 6)}) {
    Bytes bytes(static_cast<std::size_t>(vectors), 0x10);
    for (int i = 0; i < firstLine + 8 * 150; ++i) bytes.insert(bytes.end(), {8, 1, 2});
    bytes.push_back(0);
    // Appended piece by piece: g++ 12 warns falsely on "text" + string at -O3.
    std::string fullLine = "\n";
    fullLine += Times(8, move);
    std::string text = Times(vectors, "010,");
    text += Times(firstLine, move);
    text += Times(150, fullLine);
    text += "\n0\n\n";
    Check({{"moves after vectors", bytes, static_cast<int>(bytes.size()), text}});
  }
}

TEST(DecodeShapeSpec, CounterWrapsAtSixteenBits) {
  // Counter 1 goes on the code 13; 10923 entries and the closing pair take 32771 more bytes, leaving -32771,
  // which wraps to 32765: decoding goes on to the end of input. One entry fewer leaves -32768: the shape is over.
  Bytes bytes = {13};
  for (int entry = 0; entry < 10923; ++entry) bytes.insert(bytes.end(), {1, 1, 1});
  bytes.insert(bytes.end(), {0, 0, 5});
  EXPECT_EQ(std::get<1>(Decode({"", bytes, 1, ""})), 0);  // the next code meets the end of input
  bytes.erase(bytes.begin() + 1, bytes.begin() + 4);
  auto [text, result, next] = Decode({"", bytes, 1, ""});
  EXPECT_EQ(std::pair(result, next), std::pair(1, 5));
}

// Read from a file, the input comes a window of 64 KiB at a time: a record reads the same wherever a window ends in it.
// Filler before the copies of one record moves the end of the first window once onto each of its bytes.
TEST(DecodeShapeSpec, SameWhereverTheInputWindowEnds) {
  const Bytes spec = {0x10, 0x21, 0x32, 0x43, 0x54, 0x65, 0x76, 0x87, 0x98, 0xA9, 8, 0xFF, 1, 9, 1, 2, 0xFF, 0xFE, 0, 0,
                      13, 1, 2, 3, 0, 0, 7, 0, 0x41, 0x90, 0xFE, 2, 5, 6, 11, 1, 2, 3, 0xC8, 0x85, 2, 0x1F, 0x2E, 0x3D,
                      0x4C, 0x5B, 0x6A, 0x79, 0x88, 0x97, 0xA6, 0xB5, 0xC4, 0};
  const std::string text =
      "010,021,032,043,054,065,076,087,098,0A9,8,(-1,1),9,(1,2),(-1,-2),\n"
      "(0,0),13,(1,2,3),(0,0),7,(0,04190,-2,2,5,6),11,(1,2,3,200,-005),\n"
      "2,01F,02E,03D,04C,05B,06A,079,088,097,0A6,0B5,0C4,0\n\n";
  const int copies = 65536 / static_cast<int>(spec.size()) + 2;
  const std::string path = testing::MakeTempDir() + "/spec";
  for (std::size_t filler = 0; filler < spec.size(); ++filler) {
    std::string bytes(filler, '\x55');
    for (int copy = 0; copy < copies; ++copy) bytes.append(spec.begin(), spec.end());
    testing::WriteFileBytes(path, bytes);
    ByteInput input;
    input.AttachFd(OpenForReading(path.c_str()), true);
    for (std::size_t skipped = 0; skipped < filler; ++skipped) input.Get();
    std::string out = testing::Captured([&](TextOutput& output) {
      SourceWriter writer(output);
      for (int copy = 0; copy < copies; ++copy) {
        const auto counter = static_cast<std::int16_t>(spec.size());
        ASSERT_EQ(DecodeShapeSpec(input, Variant::kShapes11, writer, false, counter), 1) << filler;
      }
    });
    EXPECT_EQ(out, Times(copies, text)) << "filler " << filler;
  }
}

// Writes the text from the start column, plain or as a piece formatted in place in two parts; returns it and the
// column after.
std::pair<std::string, int> Emit(int startColumn, std::string_view text, bool inPlace) {
  int column = 0;
  std::string out = testing::Captured([&](TextOutput& output) {
    SourceWriter writer(output);
    writer.outputColumn = startColumn;
    if (inPlace) {
      InPlacePiece piece = BeginPiece(writer, text.size());
      piece.text.Text(text.substr(0, text.size() / 2)).Text(text.substr(text.size() / 2));
      EndPiece(writer, piece);
    } else {
      EmitWrapped(writer, text);
    }
    column = writer.outputColumn;
  });
  return {out, column};
}

TEST(EmitWrapped, OnePieceAgainstTheColumn) {
  const std::string x65(65, 'x'), y15(15, 'y'), big(1500, 'b');
  const std::tuple<const char*, int, std::string, std::string, int> rows[] = {
      // what, start column, piece; text written, column after
      {"ends exactly at 65", 60, "abcde", "abcde", 65},
      {"one past 65 breaks", 60, "abcdef", "\nabcdef", 6},
      {"66 at column 0 gets an empty line", 0, x65 + "x", "\n" + x65 + "x", 66},
      {"long piece ending in a line feed", 0, x65 + "\n", "\n" + x65 + "\n", 0},
      {"sixteen ending in a line feed", 49, y15 + "\n", y15 + "\n", 0},
      {"closing piece fits from 62", 62, "0\n\n", "0\n\n", 0},
      {"closing piece moves from 63", 63, "0\n\n", "\n0\n\n", 0},
      {"inner line feed counts on", 10, "ab\ncd", "ab\ncd", 15},
      {"a thousand and more, written whole", 5, big, "\n" + big, 1500},
  };
  for (const auto& [what, start, piece, text, column] : rows) {
    for (bool inPlace : {false, true}) EXPECT_EQ(Emit(start, piece, inPlace), std::pair(text, column)) << what;
  }
}

TEST(ShortText, NumbersBeyondTheTable) {
  char room[64];
  ShortText text{room};
  text.Decimal(-32768).Char(',').Decimal(-129).Char(',').Decimal(1000).Char(',').Decimal(-128).Char(',');
  text.Decimal(999).Char(',').Hex(0x1FF, 2).Char(',').Hex(0x12345, 4).Char(',').Hex(0xA, 4);
  EXPECT_EQ(std::string_view(room, static_cast<std::size_t>(text.at - room)), "-32768,-129,1000,-128,999,1FF,12345,000A");
}

}  // namespace
}  // namespace morlune
