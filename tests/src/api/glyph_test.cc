// Glyphs as data against the drawing's limits, worked out by hand: the
// advance, the paths as the pen draws them, the warnings with their kinds,
// codes, counts and texts. What each item draws as a glyph (arcs' centres and
// signed axes included), a code without a record, and the kinds of what is
// skipped are the Python module's tests of the same call, as is the listing's
// agreement with the glyph.
#include <gtest/gtest.h>

#include <morlune/morlune.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/src/api/geometry_text.h"
#include "tests/support/font_builder.h"

namespace morlune::testing {
namespace {

std::string WarningsText(const std::vector<GlyphWarning>& warnings) {
  std::string text;
  for (const GlyphWarning& warning : warnings) {
    char code[8];
    std::snprintf(code, sizeof code, "%04X", warning.code);
    text += std::to_string(static_cast<int>(warning.kind)) + " " + code + " x" + std::to_string(warning.count) +
            ": " + warning.message + "\n";
  }
  return text;
}

struct GlyphCase {
  const char* what;
  std::string font;
  std::uint32_t code;
  DrawLimits limits;
  Point advance;
  std::string paths;
  std::string warnings;
};

std::string Shapes(std::vector<FontRecord> records) {
  records.insert(records.begin(), Shape(0, "t", {8, 2, 0, 0}));
  return BuildFont(FontVariant::kShapes11, std::move(records));
}

DrawLimits Limits(int depth, long long items, long long perByte = 16, long long atLeast = 1000000) {
  return {depth, items, perByte, atLeast};
}

TEST(GlyphOf, WorkedFromTheItems) {
  // A chain A -> B -> C of subshapes, C drawing one stroke of 4.
  std::string chain = Shapes({Shape(0x41, "", {7, 0x42, 0}), Shape(0x42, "", {7, 0x43, 0}), Shape(0x43, "", {0x40, 0})});
  std::string three = Shapes({Shape(0x41, "", {0x40, 0x40, 0x40, 0})});
  const GlyphCase cases[] = {
      {"a chain of subshapes", chain, 0x41, {}, {4, 0}, "from (0,0): line (4,0);\n", ""},
      {"a chain one level too deep", chain, 0x41, Limits(1, 100000), {0, 0}, "",
       "8 0042 x1: subshapes nest deeper than 1 levels; the character stops there\n"},
      {"three items where two are allowed", three, 0x41, Limits(16, 2), {8, 0}, "from (0,0): line (4,0); line (8,0);\n",
       "9 0041 x1: the character has more than 2 items; it stops there\n"},
      {"a run of one item", three, 0x41, Limits(16, 100000, 0, 1), {4, 0}, "from (0,0): line (4,0);\n",
       "12 0041 x1: the run has taken the 1 items that a file of this size allows; this character stops there and "
       "the characters after it are left empty\n"},
      {"two pops with nothing pushed", Shapes({Shape(0x41, "", {6, 0x40, 6, 0})}), 0x41, {}, {4, 0},
       "from (0,0): line (4,0);\n", "3 0041 x2: a pop with no position pushed is ignored (2 times)\n"},
  };
  for (const GlyphCase& c : cases) {
    SCOPED_TRACE(c.what);
    Result<Glyph> glyph = OpenOrFail(c.font).GlyphOf(c.code, c.limits);
    ASSERT_TRUE(glyph) << glyph.error().message;
    EXPECT_EQ(glyph->code, c.code);
    EXPECT_EQ(PointText(glyph->advance), PointText(c.advance));
    EXPECT_EQ(PathsText(glyph->paths), c.paths);
    EXPECT_EQ(WarningsText(glyph->warnings), c.warnings);
  }
}

}  // namespace
}  // namespace morlune::testing
