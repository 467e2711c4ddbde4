// Specification bytes in, source items out: every code, every way a list or
// an item meets the counter or the end of input, and where lines break.
#include "source/shape_spec_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/source/source_fixture.h"

namespace morlune {
namespace {

using testing::SourceFixture;
using Bytes = std::vector<unsigned char>;

constexpr int kEnd = kEndOfInput;

struct DecodeCase {
  const char* what;
  Bytes bytes;
  int counter;
  std::string text;
  int result;
  int next;  // the byte that the input yields after decoding
};

struct Decoded {
  std::string text;
  int result;
  int next;
};

Decoded Decode(const Bytes& bytes, int counter, ShapeFileKind kind = ShapeFileKind::kShapes11, int decimalCodes = 0,
               int startColumn = 0) {
  SourceFixture f(bytes);
  f.context.kind = kind;
  f.context.decimalCodes = decimalCodes;
  f.context.outputColumn = startColumn;
  int result = DecodeShapeSpec(f.context, static_cast<std::int16_t>(counter));
  int next = f.context.input.Get();
  return {f.Text(), result, next};
}

void ExpectCases(const std::vector<DecodeCase>& cases, ShapeFileKind kind = ShapeFileKind::kShapes11,
                 int decimalCodes = 0) {
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.what);
    Decoded d = Decode(c.bytes, c.counter, kind, decimalCodes);
    EXPECT_EQ(d.text, c.text);
    EXPECT_EQ(d.result, c.result);
    EXPECT_EQ(d.next, c.next);
  }
}

TEST(DecodeShapeSpec, CodesWithFixedOperands) {
  ExpectCases({
      {"counter 0 reads nothing", {1}, 0, "", 1, 1},
      {"negative counter reads nothing", {1}, -5, "", 1, 1},
      {"lone 0 ends the line", {0}, 1, "0\n\n", 1, kEnd},
      {"inner 0 does not end the shape", {1, 0, 2, 0}, 4, "1,0,2,0\n\n", 1, kEnd},
      {"codes without operands", {1, 2, 5, 6, 14}, 5, "1,2,5,6,14,", 1, kEnd},
      {"code 3 operand unsigned", {3, 0x80, 4, 0xFF}, 4, "3,128,4,255,", 1, kEnd},
      {"code 8 signed pair", {8, 0xFF, 1, 8, 0x80, 0x7F}, 6, "8,(-1,1),8,(-128,127),", 1, kEnd},
      {"code 10 sign set", {10, 3, 0x92}, 3, "10,(3,-012),", 1, kEnd},
      {"code 10 sign clear", {10, 3, 0x12}, 3, "10,(3,012),", 1, kEnd},
      {"code 10 negative zero", {10, 0xC8, 0x80}, 3, "10,(200,-000),", 1, kEnd},
      {"code 11", {11, 1, 2, 3, 0xC8, 0x85}, 6, "11,(1,2,3,200,-005),", 1, kEnd},
      {"code 11 largest magnitude", {11, 0, 0, 0, 255, 0x7F}, 6, "11,(0,0,0,255,07F),", 1, kEnd},
      {"code 12", {12, 5, 0xFB, 0x7F}, 4, "12,(5,-5,127),", 1, kEnd},
      {"code 14 then code 8", {14, 8, 1, 2}, 4, "14,8,(1,2),", 1, kEnd},
      {"hexadecimal items", {15, 16, 0x7F, 0xA0, 255}, 5, "00F,010,07F,0A0,0FF,", 1, kEnd},
      {"stops at the counter", {1, 2, 0x41}, 2, "1,2,", 1, 0x41},
  });
}

TEST(DecodeShapeSpec, ItemsOnTheLastCountedByteTakeTheBytesBeyond) {
  ExpectCases({
      {"code 8", {1, 8, 2, 3, 0x41}, 2, "1,8,(2,3),", 1, 0x41},
      {"code 11", {11, 1, 2, 3, 4, 5, 9}, 1, "11,(1,2,3,4,005),", 1, 9},
      {"code 3", {3, 7, 0x41}, 1, "3,7,", 1, 0x41},
  });
}

TEST(DecodeShapeSpec, EndOfInput) {
  ExpectCases({
      {"where a code is due", {}, 5, "", 0, kEnd},
      {"after an item", {1}, 3, "1,", 0, kEnd},
      {"code 8 under 5", {8}, 5, "8,(-1,-1),", 0, kEnd},
      {"code 8 under 3", {8}, 3, "8,(-1,-1),", 1, kEnd},
      {"code 8 second operand", {8, 4}, 3, "8,(4,-1),", 1, kEnd},
      {"code 3", {3}, 2, "3,255,", 1, kEnd},
      {"code 10", {10}, 3, "10,(255,-07F),", 1, kEnd},
      {"code 12", {12, 1}, 4, "12,(1,-1,-1),", 1, kEnd},
  });
}

TEST(DecodeShapeSpec, Code7) {
  const struct {
    const char* what;
    ShapeFileKind kind;
    int decimal;
    Bytes bytes;
    int counter;
    std::string text;
    int result;
  } cases[] = {
      {"short", ShapeFileKind::kShapes11, 0, {7, 0x41}, 2, "7,041,", 1},
      {"short -d", ShapeFileKind::kShapes11, 1, {7, 0x41}, 2, "7,65,", 1},
      {"short bigfont", ShapeFileKind::kBigfont10, 0, {7, 0xC8}, 2, "7,0C8,", 1},
      {"short shapes 1.0 -d", ShapeFileKind::kShapes10, 1, {7, 0xC8}, 2, "7,200,", 1},
      {"long", ShapeFileKind::kShapes11, 0, {7, 0, 0x41, 0x90, 0xFE, 2, 5, 6}, 8, "7,(0,04190,-2,2,5,6),", 1},
      {"long -d stays hex",
       ShapeFileKind::kShapes11,
       1,
       {7, 0, 0x41, 0x90, 0xFE, 2, 5, 6},
       8,
       "7,(0,04190,-2,2,5,6),",
       1},
      {"long bigfont", ShapeFileKind::kBigfont10, 0, {7, 0, 0, 1, 0x80, 0x7F, 0, 0}, 8, "7,(0,00001,-128,127,0,0),", 1},
      {"long cut short", ShapeFileKind::kShapes11, 0, {7, 0, 0x12}, 8, "7,(0,012FF,-1,-1,-1,-1),", 1},
      {"operand at end is one byte", ShapeFileKind::kShapes11, 0, {7}, 2, "7,0FF,", 1},
      {"operand at end, code due", ShapeFileKind::kShapes11, 0, {7}, 3, "7,0FF,", 0},
      {"unifont", ShapeFileKind::kUnifont10, 0, {7, 1, 0x90}, 3, "7,00190,", 1},
      {"unifont -d", ShapeFileKind::kUnifont10, 1, {7, 1, 0x90}, 3, "7,400,", 1},
      {"unifont leading 0", ShapeFileKind::kUnifont10, 0, {7, 0, 5, 1}, 4, "7,00005,1,", 1},
      {"unifont largest -d", ShapeFileKind::kUnifont10, 1, {7, 0xFF, 0xFF}, 3, "7,65535,", 1},
      {"unifont at end", ShapeFileKind::kUnifont10, 0, {7}, 3, "7,0FFFF,", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Decoded d = Decode(c.bytes, c.counter, c.kind, c.decimal);
    EXPECT_EQ(d.text, c.text);
    EXPECT_EQ(d.result, c.result);
    EXPECT_EQ(d.next, kEnd);  // every operand byte was taken
  }
  // The short form takes two bytes in all, so the next code follows at once.
  Decoded d = Decode({7, 0x41, 2, 0}, 4);
  EXPECT_EQ(d.text, "7,041,2,0\n\n");
}

TEST(DecodeShapeSpec, Code9List) {
  ExpectCases({
      {"closing pair", {9, 1, 2, 0, 0}, 5, "9,(1,2),(0,0),", 1, kEnd},
      {"then the next code", {9, 1, 2, 0, 0, 0}, 6, "9,(1,2),(0,0),0\n\n", 1, kEnd},
      {"one zero is a pair", {9, 0, 3, 3, 0, 0, 0}, 7, "9,(0,3),(3,0),(0,0),", 1, kEnd},
      {"signed pairs", {9, 0xFF, 0x80, 0, 0}, 5, "9,(-1,-128),(0,0),", 1, kEnd},
      {"pair reaching 0", {9, 1, 2, 3, 4, 0, 0}, 3, "9,(1,2),", 1, 3},
      {"pair passing 0", {9, 1, 2, 3, 4, 0, 0}, 4, "9,(1,2),(3,4),", 1, 0},
      {"closing pair past the end", {9, 0, 0, 1}, 1, "9,(0,0),", 1, 1},
      {"runs into the end of input", {9, 1, 2}, 7, "9,(1,2),(-1,-1),(-1,-1),", 1, kEnd},
  });
}

TEST(DecodeShapeSpec, Code9ListAtEndOfInputEndsWithTheCounter) {
  Decoded d = Decode({9}, 32767);
  d.text.erase(std::remove(d.text.begin(), d.text.end(), '\n'), d.text.end());
  std::string expected = "9,";
  for (int pair = 0; pair < 16383; ++pair) expected += "(-1,-1),";  // 32766 bytes, 2 a pair
  EXPECT_EQ(d.text, expected);
  EXPECT_EQ(d.result, 1);
}

TEST(DecodeShapeSpec, Code13List) {
  ExpectCases({
      {"entry and closing pair", {13, 1, 2, 3, 0, 0}, 6, "13,(1,2,3),(0,0),", 1, kEnd},
      {"leading zero opens an entry", {13, 0, 5, 7, 0, 0}, 6, "13,(0,5,7),(0,0),", 1, kEnd},
      {"inner zero opens an entry", {13, 5, 0, 7, 0, 0}, 6, "13,(5,0,7),(0,0),", 1, kEnd},
      {"signed entries", {13, 0xFF, 0x80, 0x7F, 0, 0}, 6, "13,(-1,-128,127),(0,0),", 1, kEnd},
      {"empty list", {13, 0, 0, 2}, 4, "13,(0,0),2,", 1, kEnd},
      {"runs past the counter", {13, 1, 2, 3, 0, 0, 0x41}, 3, "13,(1,2,3),(0,0),", 1, 0x41},
      {"past the counter at the first entry",
       {13, 1, 2, 3, 4, 5, 6, 0, 0, 0x41},
       1,
       "13,(1,2,3),(4,5,6),(0,0),",
       1,
       0x41},
      {"end of input at the lead-in", {13}, 5, "13,", 0, kEnd},
      {"end of input at the first byte", {13, 1, 2, 3}, 10, "13,(1,2,3),", 0, kEnd},
      {"end of input at the second byte", {13, 1, 2, 3, 4}, 10, "13,(1,2,3),", 0, kEnd},
      {"end of input at the third byte", {13, 1, 2, 3, 4, 5}, 10, "13,(1,2,3),", 0, kEnd},
      {"end of input after a zero", {13, 0}, 10, "13,", 0, kEnd},
      {"end of input past the counter", {13, 1, 2, 3}, 1, "13,(1,2,3),", 0, kEnd},
  });
}

TEST(DecodeShapeSpec, CounterWrapsAtSixteenBits) {
  // Counter 1 spent on the code 13; 10923 entries and the closing pair take
  // 32771 more bytes, leaving -32771, which wraps to 32765: decoding goes on.
  Bytes bytes = {13};
  for (int entry = 0; entry < 10923; ++entry) bytes.insert(bytes.end(), {1, 1, 1});
  bytes.insert(bytes.end(), {0, 0, 5});
  Decoded d = Decode(bytes, 1);
  d.text.erase(std::remove(d.text.begin(), d.text.end(), '\n'), d.text.end());
  EXPECT_TRUE(d.text.ends_with("(1,1,1),(0,0),5,")) << d.text.substr(d.text.size() - 40);
  EXPECT_EQ(d.result, 0);  // the next code meets the end of input

  // One entry fewer leaves -32768 exactly: no wrap, the shape is over.
  bytes.erase(bytes.begin() + 1, bytes.begin() + 4);
  Decoded unwrapped = Decode(bytes, 1);
  EXPECT_EQ(unwrapped.result, 1);
  EXPECT_EQ(unwrapped.next, 5);
}

TEST(DecodeShapeSpec, LineBreaksFallBetweenPieces) {
  auto ones = [](int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += "1,";
    return text;
  };
  auto spec = [](int count, Bytes tail) {
    Bytes bytes(static_cast<std::size_t>(count), 1);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
  };
  const struct {
    const char* what;
    Bytes bytes;
    std::string text;
  } cases[] = {
      {"33rd item breaks", spec(33, {}), ones(32) + "\n1,"},
      {"item ending at 65 stays", spec(30, {3, 12, 1}), ones(30) + "3,12,\n1,"},
      {"closing piece from 62", spec(31, {0}), ones(31) + "0\n\n"},
      {"closing piece from 63", spec(29, {3, 12, 0}), ones(29) + "3,12,\n0\n\n"},
      {"code 9 pairs are pieces", spec(27, {9, 10, 20, 0, 0}), ones(27) + "9,(10,20),\n(0,0),"},
      {"code 13 lead-in stays at 65", spec(31, {13, 1, 2, 3, 0, 0}), ones(31) + "13,\n(1,2,3),(0,0),"},
      {"code 9 lead-in moves", spec(32, {9, 0, 0}), ones(32) + "\n9,(0,0),"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Decoded d = Decode(c.bytes, static_cast<int>(c.bytes.size()));
    EXPECT_EQ(d.text, c.text);
    EXPECT_EQ(d.result, 1);
  }
  // The column runs on from the header line or the shape before.
  EXPECT_EQ(Decode({1}, 1, ShapeFileKind::kShapes11, 0, 64).text, "\n1,");
}

}  // namespace
}  // namespace morlune
