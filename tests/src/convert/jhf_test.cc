// Hershey glyph lines: written by the rules of the grid, read back, taken
// by hershey-font-gnuplot, and every Debian font brought in and out again
// with the same strokes.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <numeric>
#include <regex>
#include <set>

#include "convert/import/font_import.h"
#include "convert/export/glyph_export.h"
#include "convert/jhf/jhf_reader.h"
#include "convert/jhf/jhf_writer.h"
#include "tests/src/convert/convert_support.h"
#include "tests/support/process_run.h"

namespace morlune::convert::testing {
namespace {

using morlune::testing::MakeTempDir;
using morlune::testing::ProcessResult;
using morlune::testing::RunProcess;
using morlune::testing::WriteFileBytes;

std::string GapLines(int from, int to) {
  std::string lines;
  char text[32];
  for (int code = from; code < to; ++code) {
    std::snprintf(text, sizeof text, "%5d  1RR\n", code);
    lines += text;
  }
  return lines;
}

TEST(JhfWriter, PlacesGlyphsOnTheHersheyGrid) {
  // The capital A of a font 21 units tall: margins -7 and +7, ink from x = 1
  // to 13, the baseline at +9 going down.
  GlyphFont font;
  font.capHeight = 21;
  font.glyphs.push_back({U'A', 0x41, LinesGlyph(0x41, {14, 0}, {{{1, 0}, {7, 21}, {13, 0}}, {{3, 7}, {11, 7}}})});
  LossReport losses;
  EXPECT_EQ(JhfText(font, losses), GapLines(32, 65) + "   65  7KYL[RFX[ RNTVT\n");
  EXPECT_TRUE(losses.Empty());

  // A font 7 units tall is scaled by 3: (0,0)-(1,7) becomes (0,9)-(3,-12) on
  // the grid, the width 6, the left margin -1 centring the ink.
  font.capHeight = 7;
  font.glyphs = {{U'!', 0x21, LinesGlyph(0x21, {2, 0}, {{{0, 0}, {1, 7}}})}};
  EXPECT_EQ(JhfText(font, losses), GapLines(32, 33) + "   33  3QWQ[TF\n");
  EXPECT_TRUE(losses.Empty());
}

TEST(JhfWriter, ReportsWhatTheGridCannotHold) {
  GlyphFont font;
  font.capHeight = 21;
  // An advance of 10.4 becomes 10; a point at 0.25 moves to 0.
  font.glyphs.push_back({U'!', 0x21, LinesGlyph(0x21, {10.4, 0}, {{{0.25, 0}, {2, 0}}})});
  LossReport lineLosses;
  JhfText(font, lineLosses);
  EXPECT_EQ(lineLosses.Count(LossKind::kAdvancesMoved), 1);
  EXPECT_NEAR(lineLosses.Largest(LossKind::kAdvancesMoved), 0.4, 1e-12);
  EXPECT_EQ(lineLosses.Count(LossKind::kPointsMoved), 1);
  EXPECT_DOUBLE_EQ(lineLosses.Largest(LossKind::kPointsMoved), 0.25);

  // A quarter circle of radius 10 is cut into straight pieces; code 300 has
  // no line. On the grid of scale 1 the columns hold x from -49 to 44 and y
  // from 9 - 44 to 9 + 49. Ink from x = -60 to 60 keeps the left margin at
  // 0: (-60, 0) is pulled in by 11 along x, (60, 60) by 16 along x and 2
  // along y, told as its whole move, sqrt(260) along the diagonal; the
  // reader finds it at (44, 58).
  font.glyphs.push_back({U'"', 0x22, ArcGlyph(0x22, {12, 0}, {{10, 0}, {0, 10}, {0, 0}, 10, 10, 90})});
  font.glyphs.push_back({U'#', 0x23, LinesGlyph(0x23, {10, 0}, {{{-60, 0}, {60, 60}}})});
  font.glyphs.push_back({U'\u012C', 300, LinesGlyph(300, {5, 0}, {{{0, 0}, {1, 1}}})});
  LossReport losses;
  std::string text = JhfText(font, losses);
  EXPECT_EQ(losses.Count(LossKind::kCodesDropped), 1);
  EXPECT_EQ(losses.Count(LossKind::kArcsFlattened), 1);
  // Pieces straying a quarter unit, then points rounded: under a unit.
  EXPECT_GT(losses.Largest(LossKind::kArcsFlattened), 0);
  EXPECT_LT(losses.Largest(LossKind::kArcsFlattened), 1);
  EXPECT_EQ(losses.Count(LossKind::kPointsClamped), 2);
  EXPECT_DOUBLE_EQ(losses.Largest(LossKind::kPointsClamped), std::sqrt(260.0));
  Result<StrokeFont> back = ReadJhf(text, "font");
  ASSERT_TRUE(back) << back.error().message;
  ASSERT_EQ(back->glyphs.size(), 4u);  // the space, !, " and #
  EXPECT_EQ(Vertices(back->glyphs[3].strokes), (VertexRows{{{-49, 0, 0}, {44, 58, 0}}}));
}

TEST(JhfReader, ReadsTheGridBackToGlyphSpace) {
  Result<StrokeFont> font = ReadJhf("12345  1JZ\n   65  7KYL[RFX[ RNTVT\n", "t");
  ASSERT_TRUE(font) << font.error().message;
  ASSERT_EQ(font->glyphs.size(), 2u);
  EXPECT_EQ(font->glyphs[0].character, U' ');
  EXPECT_EQ(font->glyphs[0].advance, 16);
  const StrokeGlyph& a = font->glyphs[1];
  EXPECT_EQ(a.character, U'!');  // the second line is code 33, whatever its number says
  EXPECT_EQ(a.advance, 14);
  EXPECT_EQ(Vertices(a.strokes), (VertexRows{{{1, 0, 0}, {7, 21, 0}, {13, 0, 0}}, {{3, 7, 0}, {11, 7, 0}}}));
  // A record wrapped as the original files wrap them is joined again.
  Result<StrokeFont> wrapped = ReadJhf("   65  7KYL[RF\nX[ RNTVT\n", "t");
  ASSERT_TRUE(wrapped);
  EXPECT_EQ(Vertices(wrapped->glyphs[0].strokes), Vertices(a.strokes));
}

// Each row a text read, with the characters kept and the notes, or refused
// with the line named.
TEST(JhfReader, LeavesOutGlyphsOfNoWidthThatDrawAndRefusesBrokenLines) {
  // "RR" margins give a width of 0; "MNPQ" draws from (-5, -4) to (-2, -1).
  // The line keeps its code, so the line after it is still the next code.
  const std::string inked = "    2  3RRMNPQ\n";
  const struct {
    std::string text;
    std::vector<char32_t> kept;
    std::vector<std::string> notes;
    std::string refused = "";
  } rows[] = {
      {"    1  1JZ\n" + inked + "    3  3KYMNPQ\n", {U' ', U'"'},
       {"glyphs that draw but have no width, left out as the reader skips them: 1 (line 2)"}},
      // A line of no width that draws nothing fills a code: it stays.
      {"    1  1JZ\n    2  1RR\n    3  3KYMNPQ\n", {U' ', U'!', U'"'}, {}},
      {inked + "    2  1JZ\n" + inked + inked, {U'!'},
       {"glyphs that draw but have no width, left out as the reader skips them: 3 (lines 1, 3, 4)"}},
      // Only such lines: no glyph is left.
      {inked + inked, {}, {}, "no glyph lines"},
      {"   32  1JZ\n\n   34  1JZ\n", {}, {}, "line 2: an empty line stands where a glyph should"},
      {"   65  7KYL[RFX[ RNTV\n", {}, {}, "line 1: the pair count says 7 pairs but the line holds 6 and a half"},
      {"   65  2ZKRR\n", {}, {}, "line 1: the margins are out of range or the left one passes the right one"},
      // A blank only lifts the pen as " R".
      {"   65  3KY RR \n", {}, {}, "line 1: column 13 holds no coordinate"},
      {"   65  3KYRR\x7fR\n", {}, {}, "line 1: column 13 holds no coordinate"},
      {"   65 xxKY\n", {}, {}, "line 1: no glyph number, pair count and margins in the first ten columns"},
      {"", {}, {}, "no glyph lines"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    Result<StrokeFont> font = ReadJhf(row.text, "t");
    if (!row.refused.empty()) {
      ASSERT_FALSE(font);
      EXPECT_EQ(font.error().message, row.refused);
      continue;
    }
    ASSERT_TRUE(font) << font.error().message;
    std::vector<char32_t> kept;
    for (const StrokeGlyph& glyph : font->glyphs) kept.push_back(glyph.character);
    EXPECT_EQ(kept, row.kept);
    EXPECT_EQ(font->notes.Lines(), row.notes);
  }
}

// A glyph's strokes as unit steps between lattice points, without
// direction: strokes split, joined or turned around stay the same set.
std::set<std::array<double, 4>> LatticeSteps(const StrokeGlyph& glyph) {
  std::set<std::array<double, 4>> steps;
  for (const Stroke& stroke : glyph.strokes) {
    for (std::size_t k = 1; k < stroke.vertices.size(); ++k) {
      const StrokeVertex &a = stroke.vertices[k - 1], &b = stroke.vertices[k];
      int dx = static_cast<int>(b.x - a.x), dy = static_cast<int>(b.y - a.y);
      int g = std::max(std::gcd(std::abs(dx), std::abs(dy)), 1);
      for (int s = 0; s < g; ++s) {
        std::array<double, 2> p{a.x + dx / g * s, a.y + dy / g * s}, q{a.x + dx / g * (s + 1), a.y + dy / g * (s + 1)};
        if (q < p) std::swap(p, q);
        steps.insert({p[0], p[1], q[0], q[1]});
      }
    }
  }
  return steps;
}

TEST(JhfRoundTrip, EveryDebianFontComesBackWithTheSameStrokes) {
  std::vector<std::string> fonts;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/usr/share/hershey-fonts", error)) {
    if (entry.path().extension() == ".jhf") fonts.push_back(entry.path().string());
  }
  if (fonts.empty()) GTEST_SKIP() << "hershey-fonts-data is not installed (/usr/share/hershey-fonts)";
  for (const std::string& path : fonts) {
    SCOPED_TRACE(path);
    Result<StrokeFont> original = ReadJhf(morlune::testing::ReadFileBytes(path), "font");
    ASSERT_TRUE(original) << original.error().message;
    Result<ImportedFont> imported = ImportStrokeFont(*original, {});
    ASSERT_TRUE(imported) << imported.error().message;
    EXPECT_EQ(imported->heightUnits, 21);
    EXPECT_LT(imported->largestError, 1e-9);
    EXPECT_EQ(imported->charactersLeftOut, 0);

    Result<Font> compiled = OpenCompiledFont(imported->compiled);
    ASSERT_TRUE(compiled);
    std::string problem;
    LossReport losses;
    std::optional<CodeMap> codes = CodeMap::For(compiled->variant(), "", problem);
    ShapeGlyphs glyphs(std::move(*compiled), *codes, "font");
    std::string written = JhfText(glyphs, losses);
    // Glyphs of no width that draw were left out on the way in, as the
    // reader skips them: nothing is lost on the way back.
    EXPECT_TRUE(losses.Empty()) << ::testing::PrintToString(losses.Lines());
    Result<StrokeFont> back = ReadJhf(written, "font");
    ASSERT_TRUE(back) << back.error().message;
    EXPECT_TRUE(back->notes.Empty());
    // The lines left out come back as lines of no width that draw nothing.
    std::map<char32_t, const StrokeGlyph*> backByCode;
    for (const StrokeGlyph& glyph : back->glyphs) backByCode[glyph.character] = &glyph;
    for (const StrokeGlyph& was : original->glyphs) {
      SCOPED_TRACE(static_cast<unsigned>(was.character));
      ASSERT_EQ(backByCode.count(was.character), 1u);
      const StrokeGlyph& is = *backByCode[was.character];
      EXPECT_EQ(is.advance, was.advance);
      EXPECT_EQ(LatticeSteps(is), LatticeSteps(was));
    }
  }
}

// "set arrow from X1,Y1 to X2,Y2" lines of the reader's gnuplot script.
std::vector<std::vector<Point>> Arrows(const std::string& script) {
  std::vector<std::vector<Point>> arrows;
  std::regex arrow(R"(set arrow from (-?[0-9.]+),(-?[0-9.]+) to (-?[0-9.]+),(-?[0-9.]+))");
  for (std::sregex_iterator it(script.begin(), script.end(), arrow), end; it != end; ++it) {
    arrows.push_back({{std::stod((*it)[1]), std::stod((*it)[2])}, {std::stod((*it)[3]), std::stod((*it)[4])}});
  }
  return arrows;
}

TEST(JhfReaderProgram, DrawsWhatMorluneDrawsWithinTheReportedLoss) {
  // hershey-font-gnuplot writes a gnuplot script of arrows in font units.
  const char* program = "/usr/bin/hershey-font-gnuplot";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "hershey-font-gnuplot is not installed";
  const std::string dir = MakeTempDir();
  for (const std::string& path : ExportTestFonts()) {
    SCOPED_TRACE(path);
    LossReport losses;
    GlyphFont font = GlyphsOfFile(path, losses);
    std::string jhf = JhfText(font, losses);
    WriteFileBytes(dir + "/font.jhf", jhf);
    double scale = 21 / font.capHeight;
    // The loss in grid units, and half a unit for the reader's own integers.
    double allowed = std::max({losses.Largest(LossKind::kPointsMoved), losses.Largest(LossKind::kArcsFlattened),
                               losses.Largest(LossKind::kPointsClamped)}) * scale + 1e-9;
    // The whole font's text, rendered by gnuplot as the reader's script
    // says.
    std::string text;
    for (const CharacterGlyph& glyph : font.glyphs) {
      if (glyph.code > 32 && glyph.code < 127) text += static_cast<char>(glyph.code);
    }
    ProcessResult script = RunProcess({{"-T", "png size 1600,100", dir + "/font.jhf", text},
                                       morlune::testing::StdinKind::kNone, "", "", {}, "", program});
    ASSERT_EQ(script.status, 0) << script.err;
    if (std::filesystem::exists("/usr/bin/gnuplot")) {
      WriteFileBytes(dir + "/jhf.gp", script.out);
      ProcessResult png = RunProcess({{dir + "/jhf.gp"}, morlune::testing::StdinKind::kNone, "", "", {}, dir,
                                      "/usr/bin/gnuplot"});
      EXPECT_EQ(png.status, 0) << png.err;
      EXPECT_EQ(png.out.substr(0, 4), "\x89PNG");
    }
    for (const CharacterGlyph& glyph : font.glyphs) {
      if (glyph.code <= 32 || glyph.code >= 127 || glyph.glyph.paths.empty()) continue;
      SCOPED_TRACE(glyph.code);
      ProcessResult run = RunProcess({{"-T", "png size 400,100", dir + "/font.jhf",
                                       std::string(1, static_cast<char>(glyph.code))},
                                      morlune::testing::StdinKind::kNone, "", "", {}, "", program});
      ASSERT_EQ(run.status, 0) << run.err;
      // The reader moves each x by the left margin, which the writer added
      // to the grid's x: the glyph's origin lands at 0, its baseline at 8.
      std::vector<std::vector<Point>> wanted = Polylines(glyph.glyph, scale, 0, 8);
      std::vector<std::vector<Point>> drawn = Arrows(run.out);
      ASSERT_FALSE(drawn.empty()) << run.out;
      EXPECT_LE(Distance(drawn, wanted), allowed + 0.01);
    }
  }
}

}  // namespace
}  // namespace morlune::convert::testing
