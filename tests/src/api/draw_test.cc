// What morlune-draw writes, through the public API: the font's listing as
// pieces, a line of text in the font's own units, paths as the listing's
// path data, the warnings as data, the options refused; and a source text's
// problems past those kept, counted. The pictures are morlune-draw's whole
// runs' (the same writers).
#include <gtest/gtest.h>

#include <morlune/morlune.h>

#include <string>
#include <vector>

#include "tests/src/api/geometry_text.h"
#include "tests/support/font_builder.h"

namespace morlune::testing {
namespace {

// A shapes font 4 units high: "I" a stroke of 4 up, then back down and 2 on
// with the pen up; "S" calls the missing shape 0x51 as a subshape, then
// draws 1 on.
Font Shapes() {
  return OpenOrFail(BuildFont(FontVariant::kShapes11, {Shape(0, "s", {4, 1, 0, 0}), Shape(0x49, "", {0x44, 2, 0x4C, 0x20, 0}),
                                                         Shape(0x53, "", {7, 0x51, 0x10, 0})}));
}

struct Drawn {
  std::string text;
  std::vector<TextWarning> warnings;
  DrawingWrite Write() {
    return [this](std::string_view piece) { text.append(piece); };
  }
  DrawingWarn Warn() {
    return [this](const TextWarning& warning) { warnings.push_back(warning); };
  }
};

DrawingOptions Listing(std::uint32_t first = 0, std::uint32_t last = 0xFFFF) {
  DrawingOptions options;
  options.form = DrawingForm::kListing;
  options.firstCode = first;
  options.lastCode = last;
  return options;
}

// The glyphs' lines of the listing: I's moves with the pen up draw nothing.
const std::string kListedI = "0049\t2,0\tM 0 0 L 0 4\n", kListedS = "0053\t1,0\tM 0 0 L 1 0\n";

// The range picks the listing's lines, and a glyph's warning comes as data
// with the words morlune-draw writes after the font.
TEST(DrawFont, TheListingItsRangeAndItsWarnings) {
  Font font = Shapes();
  Drawn all;
  Result<long long> drawn = DrawFont(font, Listing(), all.Write(), all.Warn());
  ASSERT_TRUE(drawn) << drawn.error().message;
  EXPECT_EQ(*drawn, 2);
  EXPECT_EQ(all.text, kListedI + kListedS);
  ASSERT_EQ(all.warnings.size(), 1u);
  EXPECT_EQ(all.warnings[0].kind, TextWarningKind::kGlyph);
  EXPECT_EQ(all.warnings[0].code, 0x53u);
  EXPECT_EQ(all.warnings[0].glyph.kind, GlyphWarningKind::kNoSuchShape);
  EXPECT_EQ(all.warnings[0].message, "shape 0053: subshape 0051 is skipped: the font has no such shape");

  Drawn one;
  ASSERT_TRUE(DrawFont(font, Listing(0x49, 0x49), one.Write(), one.Warn()));
  EXPECT_EQ(one.text, kListedI);
  EXPECT_TRUE(one.warnings.empty());

  Drawn none;
  EXPECT_EQ(*DrawFont(font, Listing(0x10000, 0x20000), none.Write()), 0);
  EXPECT_EQ(none.text, "");
}

TEST(DrawFont, OptionsOutOfRangeWriteNothing) {
  DrawingOptions flat, wide, share, backwards = Listing(0x50, 0x40);
  flat.height = 0;
  wide.penWidth = 70000;
  share.penWidth = 1.5;
  share.penPerHeight = true;
  for (const DrawingOptions& options : {flat, wide, share, backwards}) {
    Drawn nothing;
    Result<long long> drawn = DrawFont(Shapes(), options, nothing.Write());
    ASSERT_FALSE(drawn);
    EXPECT_EQ(drawn.error().kind, ErrorKind::kBadArgument);
    EXPECT_EQ(nothing.text, "");
  }
}

// Drawn in the font's units whatever the style's height: "II" ends 4 units
// on, each glyph's line about its own origin; a character the font lacks is
// a warning of the text, before the glyphs.
TEST(DrawLineOfText, InTheFontsOwnUnits) {
  Font font = Shapes();
  TextStyle style{font, std::nullopt, 99, 1, 0, ""};
  Drawn line;
  Result<Point> end = DrawLineOfText(style, "IxI", Listing(), line.Write(), line.Warn());
  ASSERT_TRUE(end) << end.error().message;
  EXPECT_EQ(end->x, 4);
  EXPECT_EQ(end->y, 0);
  EXPECT_EQ(line.text, kListedI + kListedI);
  ASSERT_EQ(line.warnings.size(), 1u);
  EXPECT_EQ(line.warnings[0].kind, TextWarningKind::kNoSuchShape);

  Drawn refused;
  EXPECT_EQ(DrawLineOfText(style, "\xC3", Listing(), refused.Write()).error().kind, ErrorKind::kEncoding);
  EXPECT_EQ(refused.text, "");
  EXPECT_FALSE(IsUtf8Text("\xC3"));
  EXPECT_FALSE(IsUtf8Text(std::string_view("A\0", 2)));
  EXPECT_TRUE(IsUtf8Text("A\xC3\xA9"));
}

TEST(DrawingGapOf, AnIndexThatCannotBeRead) {
  EXPECT_EQ(DrawingGapOf(Shapes()).kind, DrawingGapKind::kNone);
  Font bare = OpenOrFail(std::string("Vormald-86 shapes 1.1\r\n\x1A", 24));
  DrawingGap gap = DrawingGapOf(bare);
  EXPECT_EQ(gap.kind, DrawingGapKind::kNoIndex);
  EXPECT_EQ(gap.message, "the shape index cannot be read; no shape is drawn");
}

// Each path data worked out from its rules: a move only where the pen is
// not already there, six decimals at most and never "-0", an arc's radii
// unsigned and its sweep flag as drawn (a mirroring frame reverses it), a
// sheared arc an ellipse turned by its first axis.
TEST(PathData, AsTheListingWritesIt) {
  auto line = [](Point from, Point to) { return Segment{LineSegment{from, to}}; };
  auto arc = [](Point from, Point to, double axisX, double sweep, double shear) {
    return Segment{ArcSegment{from, to, {0, 0}, axisX, 1, sweep, shear}};
  };
  const struct {
    const char* what;
    std::vector<Path> paths;
    std::string data;
  } cases[] = {
      {"nothing", {}, ""},
      {"a stroke", {{{0, 0}, {line({0, 0}, {4, 0})}}}, "M 0 0 L 4 0"},
      {"a corner", {{{0, 0}, {line({0, 0}, {4, 0}), line({4, 0}, {4, 3})}}}, "M 0 0 L 4 0 L 4 3"},
      {"a path going on from the last", {{{0, 0}, {line({0, 0}, {1, 0})}}, {{1, 0}, {line({1, 0}, {1, 1})}}},
       "M 0 0 L 1 0 L 1 1"},
      {"two strokes apart", {{{0, 0}, {line({0, 0}, {1, 0})}}, {{2, 0}, {line({2, 0}, {3, 0})}}},
       "M 0 0 L 1 0 M 2 0 L 3 0"},
      {"six decimals, never -0", {{{0, 0}, {line({0, 0}, {1.0 / 3, -1e-9})}}}, "M 0 0 L 0.333333 0"},
      {"a half circle counterclockwise", {{{1, 0}, {arc({1, 0}, {-1, 0}, 1, 180, 0)}}}, "M 1 0 A 1 1 0 0 1 -1 0"},
      {"a quarter in a mirroring frame", {{{-1, 0}, {arc({-1, 0}, {0, 1}, -1, 90, 0)}}}, "M -1 0 A 1 1 0 0 0 0 1"},
      // [[1, 1.5], [0, 1]] takes the unit circle to axes 2 and 0.5, the
      // first turned by atan(1/2).
      {"a sheared half circle", {{{1, 0}, {arc({1, 0}, {-1, 0}, 1, 180, 1.5)}}}, "M 1 0 A 2 0.5 26.565051 0 1 -1 0"},
  };
  for (const auto& c : cases) EXPECT_EQ(PathData(c.paths), c.data) << c.what;

  // A glyph's path data is the listing's third field.
  Font font = Shapes();
  Result<Glyph> glyph = font.GlyphOf(0x49);
  ASSERT_TRUE(glyph);
  EXPECT_TRUE(font.Listing().starts_with("0049\t2,0\t" + PathData(glyph->paths) + "\n")) << font.Listing();
}

std::string Repeated(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

// 150 problems, one a line: those past the kept are counted, whether the
// text compiles or not, and a compiled font is told from one given as such.
TEST(SourceProblems, ThosePastTheKeptAreCounted) {
  const std::string text = "*00041,1,a\n" + Repeated("300,\n", 150);
  SourceProblems problems;
  EXPECT_FALSE(Compile(text, {}, problems));
  EXPECT_EQ(problems.diagnostics.size(), 100u);
  EXPECT_EQ(problems.notKept, 50u);
  Result<Font> font = Font::FromBytes(BytesOf(text + Repeated("300,\n", 50)), {}, problems);
  ASSERT_FALSE(font);
  EXPECT_EQ(font.error().kind, ErrorKind::kSourceErrors);
  EXPECT_EQ(problems.diagnostics.size(), 100u);
  EXPECT_EQ(problems.notKept, 100u);

  Result<Font> compiled = Font::FromBytes(BytesOf("*00041,2,a\n040,0\n"), {}, problems);
  ASSERT_TRUE(compiled);
  EXPECT_TRUE(compiled->fromSource());
  EXPECT_EQ(problems.diagnostics.size(), compiled->compileDiagnostics().size());
  EXPECT_EQ(problems.notKept, 0u);
  EXPECT_FALSE(Shapes().fromSource());
}

}  // namespace
}  // namespace morlune::testing
