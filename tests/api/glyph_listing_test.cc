// One geometry, two views: for every test font (the samples, the golden
// fonts of the decompiler's tests, the fonts of the drawing's fuzz corpus)
// each line of Listing() is read back and held against GlyphOf of its code:
// the advance, each segment's kind and end, each arc's radii and flags, and
// a move exactly where a path starts away from the last end as written.
#include <gtest/gtest.h>

#include <morlune/morlune.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/golden_cases.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

struct TestFont {
  std::string name;
  std::string bytes;
};

std::vector<TestFont> EveryTestFont() {
  std::vector<TestFont> fonts;
  for (const char* stem : {"strokes_shapes10", "strokes_shapes11", "strokes_bigfont", "strokes_unifont"}) {
    fonts.push_back({stem, ReadFileBytes(MORLUNE_SOURCE_DIR "/examples/" + std::string(stem) + ".kqx")});
  }
  fonts.push_back({"golden shapes 1.0", GoldenShapes10Font()});
  fonts.push_back({"golden shapes 1.1", GoldenShapes11Font()});
  fonts.push_back({"golden bigfont", GoldenBigfontFont()});
  fonts.push_back({"golden unifont", GoldenUnifontFont()});
  // The corpus inputs: a byte that picks the output, then the font.
  for (const auto& entry : std::filesystem::directory_iterator(MORLUNE_SOURCE_DIR "/fuzz/corpus/draw")) {
    std::string input = ReadFileBytes(entry.path().string());
    if (!input.empty()) fonts.push_back({entry.path().filename().string(), input.substr(1)});
  }
  return fonts;
}

bool Near(double got, double written) {
  return std::fabs(got - written) <= 1e-6 + 1e-9 * std::fabs(written);
}

void ExpectPoint(Point got, Point written, const char* what) {
  EXPECT_TRUE(Near(got.x, written.x) && Near(got.y, written.y))
      << what << ": glyph (" << got.x << "," << got.y << "), listing (" << written.x << "," << written.y << ")";
}

void CheckLine(const Glyph& glyph, const std::string& advance, const std::string& data) {
  std::istringstream in(advance.substr(0, advance.find(',')) + " " + advance.substr(advance.find(',') + 1) + " " + data);
  const std::vector<std::string> tokens{std::istream_iterator<std::string>(in), {}};
  std::size_t at = 0;
  auto number = [&] { return at < tokens.size() ? std::strtod(tokens[at++].c_str(), nullptr) : NAN; };
  auto point = [&] {
    double x = number();
    return Point{x, number()};
  };
  ExpectPoint(glyph.advance, point(), "advance");
  Point lastEnd;
  for (const Path& path : glyph.paths) {
    ASSERT_FALSE(path.segments.empty()) << "a path without segments";
    // A path starts away from the last end; written, the two may read the
    // same, and then no move is written.
    if (at < tokens.size() && tokens[at] == "M") {
      ++at;
      ExpectPoint(path.start, point(), "path start");
    } else {
      EXPECT_NE(&path, &glyph.paths.front()) << "the first path has no move";
      ExpectPoint(path.start, lastEnd, "a path that the listing goes on without a move");
    }
    for (const Segment& segment : path.segments) {
      ASSERT_LT(at, tokens.size()) << "the listing ends before the glyph";
      const std::string& token = tokens[at++];
      if (const auto* line = std::get_if<LineSegment>(&segment)) {
        EXPECT_EQ(token, "L");
        lastEnd = line->to;
      } else {
        const auto& arc = std::get<ArcSegment>(segment);
        EXPECT_EQ(token, "A");
        EXPECT_TRUE(Near(std::fabs(arc.axisX), number())) << "radius x";
        EXPECT_TRUE(Near(std::fabs(arc.axisY), number())) << "radius y";
        EXPECT_EQ(number(), 0) << "rotation";
        EXPECT_EQ(number(), std::fabs(arc.sweep) > 180 ? 1 : 0) << "large arc";
        // Counterclockwise as drawn, which a frame mirroring one axis reverses.
        EXPECT_EQ(number(), (arc.sweep > 0) != (arc.axisX * arc.axisY < 0) ? 1 : 0) << "sweep";
        lastEnd = arc.to;
      }
      ExpectPoint(lastEnd, point(), "segment end");
    }
  }
  EXPECT_EQ(at, tokens.size()) << "the listing goes on past the glyph";
}

TEST(GlyphAndListing, AgreeOnEveryTestFont) {
  // One budget per glyph for both views: a run's budget spent in the
  // listing would leave later glyphs empty there alone.
  // A few thousand items a glyph still reach every kind of item in these
  // fonts, and keep the corpus's longest glyphs quick.
  DrawLimits limits;
  limits.itemsPerGlyph = 5000;
  limits.runItemsAtLeast = 1LL << 40;
  int lines = 0;
  for (const TestFont& test : EveryTestFont()) {
    SCOPED_TRACE(test.name);
    Result<Font> font = Font::FromBytes({reinterpret_cast<const Byte*>(test.bytes.data()), test.bytes.size()});
    if (!font) continue;  // corpus inputs that are no font
    std::istringstream listing(font->Listing(limits));
    std::set<std::uint32_t> seen;
    std::string line;
    // A font of thousands of records is held to the listing at every 64th
    // line, which still meets each of its kinds of record.
    std::size_t step = font->records().size() > 2000 ? 64 : 1, index = 0;
    while (std::getline(listing, line)) {
      if (index++ % step != 0) continue;
      std::size_t tab = line.find('\t'), tab2 = line.find('\t', tab + 1);
      ASSERT_NE(tab2, std::string::npos) << line;
      std::uint32_t code = static_cast<std::uint32_t>(std::stoul(line.substr(0, tab), nullptr, 16));
      // A later record of a code is drawn from its own bytes; GlyphOf draws
      // the first.
      if (!seen.insert(code).second) continue;
      SCOPED_TRACE(line.substr(0, tab));
      Result<Glyph> glyph = font->GlyphOf(code, limits);
      ASSERT_TRUE(glyph) << glyph.error().message;
      CheckLine(*glyph, line.substr(tab + 1, tab2 - tab - 1), line.substr(tab2 + 1));
      ++lines;
    }
  }
  EXPECT_GT(lines, 100);
}

}  // namespace
}  // namespace morlune::testing
