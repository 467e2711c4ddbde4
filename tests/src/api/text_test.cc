// Text in a style, worked out by hand: an arc under the width factor and
// the oblique angle at once, and the styles and texts refused.
#include <gtest/gtest.h>

#include <morlune/morlune.h>

#include <cmath>
#include <optional>
#include <string>
#include <tuple>

#include "tests/src/api/geometry_text.h"
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

// A bigfont of a font-header record alone.
Font Bigfont() { return OpenOrFail(BuildFont(FontVariant::kBigfont10, {Shape(0, "b", {8, 0, 0, 8, 0})})); }

// A unifont of a font-header record alone.
Font Unifont() { return OpenOrFail(BuildFont(FontVariant::kUnifont10, {Shape(0, "u", {4, 1, 0, 0, 0, 0})})); }

TextStyle Style(Font font, double height, double widthFactor = 1, double oblique = 0,
                std::optional<Font> bigfont = std::nullopt, std::string encoding = "") {
  return TextStyle{std::move(font), std::move(bigfont), height, widthFactor, oblique, std::move(encoding)};
}

// The Python module's tests of the same call hold the rest of the rules: the height over the font's own, the
// width factor, the oblique angle and an arc under each, a unifont's code points, a bigfont alone or beside the
// font through a code page, a character missing once; morlune-draw's runs, through the same setting, a bigfont's
// codes from the text's own bytes and the warnings of missing characters, each told once in the order met. What
// only this holds: an arc stretched and sheared at once. The circle's centre (1,0) goes to (2,0); its point at
// angle 90, (1,1), to (3,1); x = 2 + 2 cos t + sin t reaches 2 +- root 5.
TEST(LayOutText, AnArcStretchedAndShearedAtOnce) {
  const double root5 = std::sqrt(5.0);
  Result<TextLayout> layout = LayOutText(Style(Shapes(), 4, 2, 45), "O");
  ASSERT_TRUE(layout) << layout.error().message;
  ASSERT_EQ(layout->glyphs.size(), 1u);
  EXPECT_EQ(std::tuple(layout->glyphs[0].code, PointText(layout->glyphs[0].origin)), std::tuple(0x4Fu, "(0,0)"));
  EXPECT_EQ(PathsText(layout->paths),
            "from (4,0): arc (0,0) centre (2,0) axes (2,1) sweep 180 shear 1; arc (4,0) centre (2,0) axes (2,1) "
            "sweep 180 shear 1;\n");
  EXPECT_EQ(PointText(layout->advance), "(8,0)");
  EXPECT_FALSE(layout->bounds.empty);
  EXPECT_NEAR(layout->bounds.min.x, 2 - root5, 1e-12);
  EXPECT_NEAR(layout->bounds.min.y, -1, 1e-12);
  EXPECT_NEAR(layout->bounds.max.x, 2 + root5, 1e-12);
  EXPECT_NEAR(layout->bounds.max.y, 1, 1e-12);
  EXPECT_TRUE(layout->missing.empty() && layout->warnings.empty());
}

// Each warning as data, in the order met: the characters the font's codes
// cannot hold, the codes it has no shape for, then each glyph's drawing (two
// pops of an empty stack in "P", told once with its count).
TEST(LayOutText, WarningsSayWhatTheyConcern) {
  Font font = OpenOrFail(BuildFont(FontVariant::kShapes11, {Shape(0, "s", {4, 1, 0, 0}), Shape(0x50, "", {6, 6, 0})}));
  Result<TextLayout> layout = LayOutText(Style(font, 4), "PX\u0100");
  ASSERT_TRUE(layout) << layout.error().message;
  ASSERT_EQ(layout->warnings.size(), 3u);
  const TextWarning& notWritable = layout->warnings[0];
  EXPECT_EQ(notWritable.kind, TextWarningKind::kNotWritable);
  EXPECT_EQ(notWritable.character, U'\u0100');
  EXPECT_TRUE(notWritable.message.starts_with("character ")) << notWritable.message;
  const TextWarning& noShape = layout->warnings[1];
  EXPECT_EQ(std::tuple(noShape.kind, noShape.code), std::tuple(TextWarningKind::kNoSuchShape, 0x58u));
  EXPECT_EQ(noShape.message, "shape 0058: the font has no such shape; the character is left out");
  const TextWarning& drawn = layout->warnings[2];
  EXPECT_EQ(std::tuple(drawn.kind, drawn.code), std::tuple(TextWarningKind::kGlyph, 0x50u));
  EXPECT_EQ(std::tuple(drawn.glyph.kind, drawn.glyph.count), std::tuple(GlyphWarningKind::kStackEmpty, 2LL));
  EXPECT_EQ(drawn.message, "shape 0050: " + drawn.glyph.message);
  EXPECT_EQ(layout->missing, U"\u0100X");
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
