// Text in a style, worked out by hand: each font scaled by the height over
// its own height above the baseline, x stretched by the width factor, the
// line sheared by the oblique angle, two-byte codes drawn from the bigfont
// beside the font, and the characters that no glyph stands for.
#include <gtest/gtest.h>

#include <morlune/morlune.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "tests/api/geometry_text.h"
#include "tests/support/font_builder.h"

namespace morlune::testing {
namespace {

// A shapes font 4 units high: "I" a stroke of 4 up, then 2 on; "O" a circle
// of radius 1 between x = 0 and 2 (from angle 0, counterclockwise), then 4 on.
Font Shapes() {
  return OpenOrFail(BuildFont(
      FontVariant::kShapes11, {Shape(0, "s", {4, 1, 0, 0}), Shape(0x49, "", {0x44, 2, 0x4C, 0x20, 0}),
                               Shape(0x4F, "", {2, 0x20, 1, 10, 1, 0x00, 2, 0x20, 0})}));
}

// A bigfont 8 units high whose lead bytes C3 and 82 begin two-byte codes:
// C3A9 ("é" in UTF-8) and 82A0 ("あ" in code page 932) a stroke of 8 up,
// then 8 on.
Font Bigfont() {
  FontLayout layout(FontVariant::kBigfont10, {Shape(0, "b", {8, 0, 0, 8, 0}),
                                              Shape(0xC3A9, "", {0x84, 2, 0x8C, 0x80, 0}),
                                              Shape(0x82A0, "", {0x84, 2, 0x8C, 0x80, 0})});
  layout.escapeRanges = {{0xC3, 0xC3}, {0x82, 0x82}};
  return OpenOrFail(BuildFont(layout));
}

// A unifont 4 units high with "あ" (U+3042): a stroke of 4 on.
Font Unifont() {
  return OpenOrFail(BuildFont(FontVariant::kUnifont10, {Shape(0, "u", {4, 1, 0, 0, 0, 0}), Shape(0x3042, "", {0x40, 0})}));
}

struct TextCase {
  const char* what;
  TextStyle style;
  std::string text;
  std::string glyphs;  // "CODE[b]@(x,y) " each, b for the bigfont
  std::string paths;
  Point advance;
  Box bounds;
  std::u32string missing;
  std::vector<std::string> warnings;
};

TextStyle Style(Font font, double height, double widthFactor = 1, double oblique = 0,
                std::optional<Font> bigfont = std::nullopt, std::string encoding = "") {
  return TextStyle{std::move(font), std::move(bigfont), height, widthFactor, oblique, std::move(encoding)};
}

std::string GlyphsText(const std::vector<PlacedGlyph>& glyphs) {
  std::string text;
  for (const PlacedGlyph& glyph : glyphs) {
    char code[8];
    std::snprintf(code, sizeof code, "%04X", glyph.code);
    text += std::string(code) + (glyph.fromBigfont ? "b" : "") + "@" + PointText(glyph.origin) + " ";
  }
  return text;
}

// The Python module's tests of the same call hold the rest of the rules: the height over the font's own, the
// width factor, the oblique angle and an arc under each, a unifont's code points, a bigfont alone or beside the
// font through a code page, a character missing once; morlune-draw's runs the warnings' texts of characters
// past a variant's codes or a code page's. What only these rows hold: an arc stretched and sheared at once, a
// bigfont's codes from the text's own bytes, and each missing character told once in the order met.
TEST(LayOutText, TheRulesOfAStyle) {
  const double root5 = std::sqrt(5.0);
  const TextCase cases[] = {
      // The circle's centre (1,0) goes to (2,0); its point at angle 90,
      // (1,1), to (3,1); x = 2 + 2 cos t + sin t reaches 2 +- root 5.
      {"an arc stretched and sheared", Style(Shapes(), 4, 2, 45), "O", "004F@(0,0) ",
       "from (4,0): arc (0,0) centre (2,0) axes (2,1) sweep 180 shear 1; arc (4,0) centre (2,0) axes (2,1) sweep 180 "
       "shear 1;\n",
       {8, 0}, {{2 - root5, -1}, {2 + root5, 1}, false}, U"", {}},
      // UTF-8 bytes as they are: C3 begins a two-byte code of the bigfont,
      // drawn at half its units (4 over 8).
      {"a bigfont beside the font", Style(Shapes(), 4, 1, 0, Bigfont()), "I\u00E9I",
       "0049@(0,0) C3A9b@(2,0) 0049@(6,0) ", "from (0,0): line (0,4);\nfrom (2,0): line (2,4);\nfrom (6,0): line (6,4);\n",
       {8, 0}, {{0, 0}, {6, 4}, false}, U"", {}},
      // The euro sign is past the codes of a shapes font, X has no shape.
      {"missing characters, told once each", Style(Shapes(), 4), "IX\u20ACXI", "0049@(0,0) 0049@(2,0) ",
       "from (0,0): line (0,4);\nfrom (2,0): line (2,4);\n", {4, 0}, {{0, 0}, {2, 4}, false}, U"\u20ACX",
       {"character U+20AC: the font's codes end at U+00FF; it is left out",
        "shape 0058: the font has no such shape; the character is left out"}},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.what);
    Result<TextLayout> layout = LayOutText(c.style, c.text);
    ASSERT_TRUE(layout) << layout.error().message;
    EXPECT_EQ(GlyphsText(layout->glyphs), c.glyphs);
    EXPECT_EQ(PathsText(layout->paths), c.paths);
    EXPECT_EQ(PointText(layout->advance), PointText(c.advance));
    EXPECT_EQ(layout->bounds.empty, c.bounds.empty);
    EXPECT_NEAR(layout->bounds.min.x, c.bounds.min.x, 1e-12);
    EXPECT_NEAR(layout->bounds.min.y, c.bounds.min.y, 1e-12);
    EXPECT_NEAR(layout->bounds.max.x, c.bounds.max.x, 1e-12);
    EXPECT_NEAR(layout->bounds.max.y, c.bounds.max.y, 1e-12);
    EXPECT_TRUE(layout->missing == c.missing);
    EXPECT_EQ(layout->warnings, c.warnings);
  }
}

TEST(LayOutText, StylesAndTextsRefused) {
  const struct {
    const char* what;
    TextStyle style;
    std::string text;
    ErrorKind kind;
  } cases[] = {
      {"a height of 0", Style(Shapes(), 0), "I", ErrorKind::kBadArgument},
      {"a negative width factor", Style(Shapes(), 1, -1), "I", ErrorKind::kBadArgument},
      {"an oblique past 85 degrees", Style(Shapes(), 1, 1, 86), "I", ErrorKind::kBadArgument},
      {"a bigfont that is no bigfont", Style(Shapes(), 1, 1, 0, Unifont()), "I", ErrorKind::kBadArgument},
      {"a bigfont beside a bigfont", Style(Bigfont(), 1, 1, 0, Bigfont()), "I", ErrorKind::kBadArgument},
      {"an unknown code page", Style(Shapes(), 1, 1, 0, std::nullopt, "NO-SUCH-PAGE"), "I", ErrorKind::kEncoding},
      {"text that is not UTF-8", Style(Shapes(), 1), "I\xC3", ErrorKind::kEncoding},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Result<TextLayout> layout = LayOutText(c.style, c.text);
    ASSERT_FALSE(layout);
    EXPECT_EQ(layout.error().kind, c.kind);
    EXPECT_FALSE(layout.error().message.empty());
  }
}

}  // namespace
}  // namespace morlune::testing
