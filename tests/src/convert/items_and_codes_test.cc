// The pieces every conversion stands on: the items that make a move, the
// code map both ways, the loss report's lines.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "convert/code_map.h"
#include "convert/loss_report.h"
#include "convert/import/shape_items.h"

namespace morlune::convert {
namespace {

using Bytes = std::vector<unsigned char>;

TEST(VectorBytes, MovesAlongTheSixteenDirections) {
  const struct {
    int dx, dy;
    Bytes bytes;
  } rows[] = {
      {1, 0, {0x10}},          {4, 0, {0x40}},          {4, 2, {0x41}},  // direction 1 is (1, 0.5)
      {1, 2, {0x23}},          {0, -3, {0x3C}},         {-2, -1, {0x29}},
      {-5, 5, {0x56}},         {3, -6, {0x6D}},         {15, -15, {0xFE}},
      {-2, 1, {0x27}},         {-1, -2, {0x2B}},        {2, -1, {0x2F}},  // each half step's ray
      {-1, 2, {0x25}},         {-4, -4, {0x4A}},        {0, 7, {0x74}},
      {20, 0, {0xA0, 0xA0}},   {30, 15, {0xF1, 0xF1}},  // two equal shares
      {31, 0, {}},             // three bytes: a displacement is no longer
      {3, 1, {}},              {1, 3, {}},              {0, 0, {}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(VectorBytes(row.dx, row.dy, 2), row.bytes) << row.dx << "," << row.dy;
  }
}

TEST(ShapeItems, ChoosesTheShortestItems) {
  struct Row {
    const char* what;
    void (*build)(ShapeItems&);
    Bytes bytes;
    const char* text;
  };
  const Row rows[] = {
      {"vectors and a displacement", [](ShapeItems& s) { s.PenUp(); s.Move(4, 0); s.PenDown(); s.Move(3, 1); },
       {2, 0x40, 1, 8, 3, 1, 0}, "2,040,1,8,(3,1),0"},
      {"three displacements make a list", [](ShapeItems& s) { s.Move(3, 1); s.Move(1, 3); s.Move(-5, -2); },
       {9, 3, 1, 1, 3, 0xFB, 0xFE, 0, 0, 0}, "9,(3,1),(1,3),(-5,-2),(0,0),0"},
      {"a long move in parts of at most 127, every stop on its line",
       [](ShapeItems& s) { s.Move(44, -256); },  // four steps of (11, -64)
       {9, 11, 0xC0, 11, 0xC0, 11, 0xC0, 11, 0xC0, 0, 0, 0}, "9,(11,-64),(11,-64),(11,-64),(11,-64),(0,0),0"},
      {"a long move whose smallest whole step fits no byte",
       [](ShapeItems& s) { s.Move(300, -1); },  // stops at (100, 0) and (200, -1), rounded
       {9, 100, 0, 100, 0xFF, 100, 0, 0, 0, 0}, "9,(100,0),(100,-1),(100,0),(0,0),0"},
      {"three arcs stay single", [](ShapeItems& s) { s.Arc(4, 0, 127); s.Arc(-4, 0, 127); s.Arc(2, 2, -64); },
       {12, 4, 0, 127, 12, 0xFC, 0, 127, 12, 2, 2, 0xC0, 0}, "12,(4,0,127),12,(-4,0,127),12,(2,2,-64),0"},
      {"four arcs make a list", [](ShapeItems& s) { for (int k = 0; k < 4; ++k) s.Arc(k % 2 ? -4 : 4, 0, 127); },
       {13, 4, 0, 127, 0xFC, 0, 127, 4, 0, 127, 0xFC, 0, 127, 0, 0, 0},
       "13,(4,0,127),(-4,0,127),(4,0,127),(-4,0,127),(0,0),0"},
      {"a dot: a unit there and back at an 128th of the scale", [](ShapeItems& s) { s.Move(2, 0); s.Dot(); },
       {0x20, 3, 128, 0x10, 0x18, 4, 128, 0}, "020,3,128,010,018,4,128,0"},
      {"nothing but the end", [](ShapeItems&) {}, {0}, "0"},
  };
  for (const Row& row : rows) {
    ShapeItems items;
    row.build(items);
    EXPECT_EQ(items.Bytes(), row.bytes) << row.what;
    EXPECT_EQ(items.ByteCount(), row.bytes.size()) << row.what;
    EXPECT_EQ(items.Text(), row.text) << row.what;
  }
}

TEST(ShapeItems, MovesSayHowFarTheirStopsStrayFromTheLine) {
  ShapeItems items;
  EXPECT_EQ(items.Move(44, -256), 0);
  EXPECT_EQ(items.Move(254, 127), 0);  // the whole step (2, 1) 127 times, 63 of them a part at most
  // (300, -1) stops at (100, 0): a third of a unit off the line, as near as
  // a stop can be.
  EXPECT_NEAR(items.Move(300, -1), 1.0 / 3, 1e-3);
}

TEST(ShapeItems, TextLinesStayWithin65Columns) {
  ShapeItems items;
  for (int k = 0; k < 60; ++k) items.Move(100 + k % 7, -(k % 5) - 60);
  std::istringstream text(items.Text());
  int lines = 0;
  for (std::string line; std::getline(text, line); ++lines) EXPECT_LE(line.size(), 65u) << line;
  EXPECT_GT(lines, 3);
}

TEST(CodeMap, ShapesFontsTakeLatin1WithTheirSymbols) {
  std::string problem;
  auto map = CodeMap::For(Variant::kShapes11, "", problem);
  ASSERT_TRUE(map) << problem;
  const struct {
    std::uint32_t code;
    char32_t character;
  } both[] = {{0x41, U'A'}, {0xE9, U'\u00E9'}, {129, kDiameterSign}, {0xB0, kDegreeSign}};
  for (const auto& row : both) {
    EXPECT_EQ(map->CharacterOf(row.code), row.character);
    EXPECT_EQ(map->CodeOf(row.character), row.code);
  }
  // The symbols' own codes read as the symbols; written from outside,
  // degree and plus-minus take their Latin-1 codes.
  EXPECT_EQ(map->CharacterOf(127), kDegreeSign);
  EXPECT_EQ(map->CharacterOf(128), kPlusMinusSign);
  EXPECT_EQ(map->CodeOf(kPlusMinusSign), 0xB1u);
  EXPECT_FALSE(map->CodeOf(U'\u20AC'));
  EXPECT_FALSE(map->CodeOf(U'\u007F'));
  EXPECT_FALSE(map->CharacterOf(0x100));
}

TEST(CodeMap, CodePagesThroughTheSystemConverter) {
  std::string problem;
  auto latin = CodeMap::For(Variant::kShapes11, "CP1252", problem);
  ASSERT_TRUE(latin) << problem;
  EXPECT_EQ(latin->CharacterOf(0x80), U'\u20AC');
  EXPECT_EQ(latin->CodeOf(U'\u20AC'), 0x80u);

  auto japanese = CodeMap::For(Variant::kBigfont, "CP932", problem);
  ASSERT_TRUE(japanese) << problem;
  EXPECT_EQ(japanese->CharacterOf(0x82A0), U'\u3042');  // hiragana a
  EXPECT_EQ(japanese->CodeOf(U'\u3042'), 0x82A0u);
  EXPECT_EQ(japanese->CodeOf(U'A'), 0x41u);

  auto unicode = CodeMap::For(Variant::kUnifont, "", problem);
  ASSERT_TRUE(unicode);
  EXPECT_EQ(unicode->CharacterOf(0x3042), U'\u3042');
  EXPECT_FALSE(unicode->CharacterOf(0xD800));
}

TEST(LossReport, OneLinePerKindInOrder) {
  LossReport losses;
  EXPECT_TRUE(losses.Empty());
  losses.Add(LossKind::kAdvancesMoved, -0.5);
  losses.Add(LossKind::kArcsFlattened, 0.125);
  losses.Add(LossKind::kArcsFlattened, 0.0625);
  losses.Add(LossKind::kVerticalDropped, 0, 3);
  losses.Add(LossKind::kPointsMoved, 1);
  EXPECT_EQ(losses.Lines(), (std::vector<std::string>{
                                "arcs flattened: 2 (at most 0.125 font units off the arc)",
                                "points moved to the grid: 1 (at most 1 font unit)",
                                "advances moved: 1 (at most 0.5 font units)",
                                "items for vertical text only, left out: 3",
                            }));
}

// Under the format's noise floor a measured difference is no loss; a kind
// without an amount is always one.
TEST(LossReport, DifferencesAtTheNoiseFloorAreNone) {
  LossReport losses;
  losses.SetNoiseFloor(1e-5);
  losses.Add(LossKind::kAdvancesMoved, 1.776e-15);
  losses.Add(LossKind::kPointsMoved, -1e-5, 40);
  losses.Add(LossKind::kArcsFlattened, 0);
  EXPECT_TRUE(losses.Empty());
  losses.Add(LossKind::kCodesDropped);
  losses.Add(LossKind::kPointsMoved, 1.5e-5);
  EXPECT_EQ(losses.Lines(), (std::vector<std::string>{
                                "points moved to the grid: 1 (at most 1.5e-05 font units)",
                                "glyphs with codes the format cannot hold, left out: 1",
                            }));
}

}  // namespace
}  // namespace morlune::convert
