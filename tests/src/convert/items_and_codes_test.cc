// The pieces every conversion stands on: the items that make a move, the
// code map both ways, the loss report's lines.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#ifndef _WIN32
#include <iconv.h>
#endif

#include "convert/code_map.h"
#include "convert/loss_report.h"
#include "convert/import/font_import.h"
#include "convert/import/shape_items.h"
#include "convert/stroke_font.h"
#include "platform/text_output.h"
#include "source/source_writer.h"

namespace morlune::convert {
namespace {

using Bytes = std::vector<unsigned char>;

// The items' source text, written from the start of a line.
std::string TextOf(const ShapeItems& items) {
  std::string text;
  TextOutput out;
  out.AttachCapture(&text);
  SourceWriter writer(out);
  items.WriteText(writer);
  out.Flush();
  return text;
}

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
       {2, 0x40, 1, 8, 3, 1, 0}, "2,040,1,8,(3,1),0\n"},
      {"three displacements make a list", [](ShapeItems& s) { s.Move(3, 1); s.Move(1, 3); s.Move(-5, -2); },
       {9, 3, 1, 1, 3, 0xFB, 0xFE, 0, 0, 0}, "9,(3,1),(1,3),(-5,-2),(0,0),0\n"},
      {"a long move in parts of at most 127, every stop on its line",
       [](ShapeItems& s) { s.Move(44, -256); },  // four steps of (11, -64)
       {9, 11, 0xC0, 11, 0xC0, 11, 0xC0, 11, 0xC0, 0, 0, 0}, "9,(11,-64),(11,-64),(11,-64),(11,-64),(0,0),0\n"},
      {"a long move whose smallest whole step fits no byte",
       [](ShapeItems& s) { s.Move(300, -1); },  // stops at (100, 0) and (200, -1), rounded
       {9, 100, 0, 100, 0xFF, 100, 0, 0, 0, 0}, "9,(100,0),(100,-1),(100,0),(0,0),0\n"},
      {"three arcs stay single", [](ShapeItems& s) { s.Arc(4, 0, 127); s.Arc(-4, 0, 127); s.Arc(2, 2, -64); },
       {12, 4, 0, 127, 12, 0xFC, 0, 127, 12, 2, 2, 0xC0, 0}, "12,(4,0,127),12,(-4,0,127),12,(2,2,-64),0\n"},
      {"four arcs make a list", [](ShapeItems& s) { for (int k = 0; k < 4; ++k) s.Arc(k % 2 ? -4 : 4, 0, 127); },
       {13, 4, 0, 127, 0xFC, 0, 127, 4, 0, 127, 0xFC, 0, 127, 0, 0, 0},
       "13,(4,0,127),(-4,0,127),(4,0,127),(-4,0,127),(0,0),0\n"},
      {"a dot: a unit there and back at an 128th of the scale", [](ShapeItems& s) { s.Move(2, 0); s.Dot(); },
       {0x20, 3, 128, 0x10, 0x18, 4, 128, 0}, "020,3,128,010,018,4,128,0\n"},
      // "010,9," and five pairs fill 56 columns, "(100," five more; "-61),"
      // would pass column 65, so the line breaks inside the pair.
      {"a line breaks between any two numbers",
       [](ShapeItems& s) {
         s.Move(1, 0);
         for (int k = 0; k < 7; ++k) s.Move(100, -61);
       },
       {0x10, 9, 100, 0xC3, 100, 0xC3, 100, 0xC3, 100, 0xC3, 100, 0xC3, 100, 0xC3, 100, 0xC3, 0, 0, 0},
       "010,9,(100,-61),(100,-61),(100,-61),(100,-61),(100,-61),(100,\n-61),(100,-61),(0,0),0\n"},
      {"nothing but the end", [](ShapeItems&) {}, {0}, "0\n"},
  };
  for (const Row& row : rows) {
    ShapeItems items;
    row.build(items);
    EXPECT_EQ(items.Bytes(), row.bytes) << row.what;
    EXPECT_EQ(items.ByteCount(), row.bytes.size()) << row.what;
    EXPECT_EQ(TextOf(items), row.text) << row.what;
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

// The header of an imported text is written whole, however long its name,
// and its values are the bytes as they are: a grid of 200 units is "200",
// not the signed byte -56.
TEST(ImportText, HeaderLinesWholeAndValuesUnsigned) {
  StrokeFont font;
  font.name = std::string(70, 'N');
  font.capHeight = 200;
  font.onOwnGrid = true;
  StrokeGlyph glyph;
  glyph.character = U'A';
  glyph.advance = 100;
  glyph.strokes.push_back(Stroke{{{0, 0}, {0, 200}}});
  font.glyphs.push_back(glyph);
  Result<ImportedFont> imported = ImportStrokeFont(font, {});
  ASSERT_TRUE(imported) << imported.error().message;
  ASSERT_EQ(imported->heightUnits, 200);
  std::string head = "*0,4,";
  head += font.name;
  head += "\n200,0,0,0\n\n*00041,";
  EXPECT_EQ(imported->sourceText.substr(0, head.size()), head);
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

#ifndef _WIN32
// iconv opened here, apart from the converter under test.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (Open()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool Open() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // The whole of `in` converted, or nothing.
  std::optional<std::string> Convert(std::string in) {
    char out[32];
    char *inNext = in.data(), *outNext = out;
    std::size_t inLeft = in.size(), outLeft = sizeof out;
    bool whole = iconv(cd_, &inNext, &inLeft, &outNext, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0 &&
                 iconv(cd_, nullptr, nullptr, &outNext, &outLeft) != static_cast<std::size_t>(-1);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (!whole) return std::nullopt;
    return std::string(out, static_cast<std::size_t>(outNext - out));
  }

 private:
  iconv_t cd_;
};

std::string Utf32(char32_t c) {
  std::string bytes;
  for (int k = 0; k < 4; ++k) bytes += static_cast<char>((c >> (8 * k)) & 0xFF);
  return bytes;
}

std::string CodeBytes(std::uint32_t code) {
  std::string bytes;
  if (code > 0xFF) bytes += static_cast<char>(code >> 8);
  bytes += static_cast<char>(code & 0xFF);
  return bytes;
}

// Every one- and two-byte code of the East Asian code pages stands for the
// one character iconv decodes it to; every character goes to the code
// iconv writes it as, or where iconv writes it as none, to the first code
// that decodes to it.
TEST(CodeMap, EveryCodeOfTheEastAsianCodePagesAsIconvDecodesIt) {
  for (const char* page : {"CP932", "CP936", "CP949", "CP950", "EUC-KR", "SHIFT_JIS"}) {
    SCOPED_TRACE(page);
    Iconv decoder("UTF-32LE", page), encoder(page, "UTF-32LE");
    ASSERT_TRUE(decoder.Open() && encoder.Open());
    std::string problem;
    auto map = CodeMap::For(Variant::kBigfont, page, problem);
    ASSERT_TRUE(map) << problem;
    std::map<char32_t, std::uint32_t> firstCode;
    int wrong = 0;
    for (std::uint32_t code = 1; code <= 0xFFFF; ++code) {
      std::optional<char32_t> expected;
      if (std::optional<std::string> text = decoder.Convert(CodeBytes(code)); text && text->size() == 4) {
        const auto* b = reinterpret_cast<const unsigned char*>(text->data());
        char32_t c = b[0] | b[1] << 8 | b[2] << 16 | static_cast<char32_t>(b[3]) << 24;
        if (c != 0) expected = c;
      }
      if (expected) firstCode.emplace(*expected, code);
      if (map->CharacterOf(code) != expected && ++wrong <= 5) ADD_FAILURE() << "code " << std::hex << code;
    }
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;
      std::optional<std::uint32_t> expected;
      if (std::optional<std::string> bytes = encoder.Convert(Utf32(c)); bytes && !bytes->empty() && bytes->size() <= 2) {
        const auto* b = reinterpret_cast<const unsigned char*>(bytes->data());
        expected = bytes->size() == 1 ? b[0] : static_cast<std::uint32_t>(b[0]) << 8 | b[1];
      } else if (auto found = firstCode.find(c); found != firstCode.end()) {
        expected = found->second;
      }
      if (map->CodeOf(c) != expected && ++wrong <= 5) ADD_FAILURE() << "character " << std::hex << static_cast<std::uint32_t>(c);
    }
    EXPECT_EQ(wrong, 0);
  }
}
#endif

// The codes that the code page decodes otherwise than the characters that
// reach them first when encoding: the decoding rules.
TEST(CodeMap, BigfontCodesAreTheCharactersTheyDecodeTo) {
  std::string problem;
  auto japanese = CodeMap::For(Variant::kBigfont, "CP932", problem);
  ASSERT_TRUE(japanese) << problem;
  const struct {
    std::uint32_t code;
    char32_t character;
  } rows[] = {{0x8160, 0xFF5E}, {0x815C, 0x2015}, {0x8161, 0x2225}, {0x817C, 0xFF0D},
              {0x8191, 0xFFE0}, {0x8192, 0xFFE1}, {0x81CA, 0xFFE2}, {0x8790, 0x2252}};
  for (const auto& row : rows) {
    EXPECT_EQ(japanese->CharacterOf(row.code), row.character) << std::hex << row.code;
  }
  EXPECT_EQ(japanese->CodeOf(0xFF5E), 0x8160u);
  // A lead byte alone, and a lead byte with a trail it does not take, are
  // no character.
  EXPECT_FALSE(japanese->CharacterOf(0x81));
  EXPECT_FALSE(japanese->CharacterOf(0x8100));
}

TEST(LossReport, OneLinePerKindInOrder) {
  LossReport losses;
  EXPECT_TRUE(losses.Empty());
  losses.Add(LossKind::kAdvancesMoved, -0.5);
  losses.Add(LossKind::kArcsFlattened, 0.125);
  losses.Add(LossKind::kArcsFlattened, 0.0625);
  losses.Add(LossKind::kVerticalDropped, 0, 3);
  losses.Add(LossKind::kPointsMoved, 1);
  losses.Add(LossKind::kBlankDropped);
  losses.Add(LossKind::kCodesDropped, 0, 2);
  EXPECT_EQ(losses.Lines(), (std::vector<std::string>{
                                "arcs flattened: 2 (at most 0.125 font units off the arc)",
                                "points moved to the grid: 1 (at most 1 font unit)",
                                "advances moved: 1 (at most 0.5 font units)",
                                "glyphs with codes the format cannot hold, left out: 2",
                                "items for vertical text only, left out: 3",
                                "glyphs of an advance alone, which the format cannot hold, left out: 1",
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
