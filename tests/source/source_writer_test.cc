// The 65-column wrap of the source writer and the hand formatting of pieces.
#include "source/source_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "source/piece.h"
#include "tests/source/source_fixture.h"

namespace morlune {
namespace {

using testing::SourceFixture;

struct WrapCase {
  const char* what;
  int startColumn;
  std::string piece;
  std::string expected;
  int column;
};

TEST(EmitWrapped, OnePieceAgainstTheColumn) {
  const std::string x65(65, 'x');
  const std::string x66(66, 'x');
  const WrapCase cases[] = {
      {"ends exactly at 65", 60, "abcde", "abcde", 65},
      {"one past 65 breaks", 60, "abcdef", "\nabcdef", 6},
      {"65 at column 0 stays", 0, x65, x65, 65},
      {"66 at column 0 gets an empty line", 0, x66, "\n" + x66, 66},
      {"long piece ending in a line feed", 0, x65 + "\n", "\n" + x65 + "\n", 0},
      {"closing piece fits from 62", 62, "0\n\n", "0\n\n", 0},
      {"closing piece moves from 63", 63, "0\n\n", "\n0\n\n", 0},
      {"trailing line feed resets", 10, "ab\n", "ab\n", 0},
      {"inner line feed counts on", 10, "ab\ncd", "ab\ncd", 15},
      {"empty piece", 10, "", "", 10},
      {"empty piece at the limit", 65, "", "", 65},
      {"percent signs as they stand", 0, "a%%b%s%d", "a%%b%s%d", 8},
      {"line feed alone at 65", 64, "\n", "\n", 0},
  };
  for (const WrapCase& c : cases) {
    SCOPED_TRACE(c.what);
    SourceFixture f;
    f.context.outputColumn = c.startColumn;
    EmitWrapped(f.context, c.piece);
    EXPECT_EQ(f.Text(), c.expected);
    EXPECT_EQ(f.context.outputColumn, c.column);
  }
}

TEST(EmitWrapped, HeaderPiecesBreakBetweenThemAndResetForTheItems) {
  SourceFixture f;
  const std::string name(60, 'n');
  EmitWrapped(f.context, "*00041");             // column 6
  EmitWrapped(f.context, ",5," + name + "\n");  // 64 characters: 70 > 65
  EmitWrapped(f.context, "2,");
  EXPECT_EQ(f.Text(), "*00041\n,5," + name + "\n2,");
  EXPECT_EQ(f.context.outputColumn, 2);
}

TEST(EmitWrapped, PieceBeyondTheLocalBufferIsWrittenWhole) {
  SourceFixture f;
  f.context.outputColumn = 5;
  Piece piece;
  piece.Text(std::string(1000, 'a')).Text(std::string(500, 'b'));
  EmitWrapped(f.context, piece);
  EXPECT_EQ(f.context.outputColumn, 1500);
  EmitWrapped(f.context, "x");  // any piece now passes the limit
  EXPECT_EQ(f.Text(), "\n" + std::string(1000, 'a') + std::string(500, 'b') + "\nx");
  EXPECT_EQ(f.context.outputColumn, 1);
}

TEST(Piece, Decimal) {
  const struct {
    long value;
    const char* text;
  } cases[] = {{0, "0"},     {7, "7"},         {-1, "-1"},         {10, "10"},      {-128, "-128"},
               {255, "255"}, {32767, "32767"}, {-32768, "-32768"}, {65535, "65535"}};
  for (const auto& c : cases) {
    Piece piece;
    EXPECT_EQ(piece.Decimal(c.value).View(), c.text) << c.value;
  }
  Piece least;
  EXPECT_EQ(least.Decimal(LONG_MIN).View(), std::to_string(LONG_MIN));
  Piece most;
  EXPECT_EQ(most.Decimal(LONG_MAX).View(), std::to_string(LONG_MAX));
}

TEST(Piece, HexZeroFilledUpperCase) {
  const struct {
    unsigned long value;
    int digits;
    const char* text;
  } cases[] = {
      {0, 2, "00"},   {0xF, 2, "0F"},     {0xAB, 2, "AB"},     {0x100, 2, "100"},     {0x1FF, 2, "1FF"},
      {0, 4, "0000"}, {0x190, 4, "0190"}, {0xFFFF, 4, "FFFF"}, {0x12345, 4, "12345"}, {0, 0, "0"},
  };
  for (const auto& c : cases) {
    Piece piece;
    EXPECT_EQ(piece.Hex(c.value, c.digits).View(), c.text) << c.value << " in " << c.digits;
  }
}

TEST(Piece, GrowsPastTheLocalBufferWithoutLosingText) {
  Piece full;
  full.Text(std::string(Piece::kLocalCapacity, 'a'));
  EXPECT_EQ(full.View().size(), Piece::kLocalCapacity);
  full.Char('z');
  EXPECT_EQ(full.View(), std::string(Piece::kLocalCapacity, 'a') + "z");

  Piece numbers;
  numbers.Text(std::string(1020, 'a')).Decimal(-32768).Char(',').Hex(0x1FF, 2).Text("),");
  EXPECT_EQ(numbers.View(), std::string(1020, 'a') + "-32768,1FF),");
}

}  // namespace
}  // namespace morlune
