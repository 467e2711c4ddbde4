// Single-line fonts: every export checked against the format's rules by a
// checker of our own (the one real reader is a whole CAD program), its
// geometry against morlune's drawing; the reader's copies, bulges and
// advances; Latin and CJK fonts of our own brought in.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

#include "convert/arc_math.h"
#include "convert/code_map.h"
#include "convert/export/glyph_export.h"
#include "convert/import/font_import.h"
#include "convert/lff/lff_reader.h"
#include "convert/lff/lff_writer.h"
#include "tests/src/convert/convert_support.h"
#include "tests/support/process_run.h"

namespace morlune::convert::testing {
namespace {

// What the checker found: the rules broken, and the glyphs as the reader
// places them.
struct CheckedLff {
  std::vector<std::string> broken;
  double letterSpacing = 3, wordSpacing = 6.75;
  std::map<char32_t, VertexRows> glyphs;
};

bool LffNumber(std::string_view text, double& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  std::size_t point = text.find('.');
  return point == std::string_view::npos || text.size() - point - 1 <= 5;  // at most 5 decimals
}

CheckedLff CheckLff(const std::string& text) {
  CheckedLff checked;
  auto broken = [&](std::size_t line, const std::string& rule) {
    checked.broken.push_back("line " + std::to_string(line) + ": " + rule);
  };
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (!text.empty() && text.back() != '\n') broken(lines.size(), "the last line has no line end");
  std::size_t k = 0;
  for (; k < lines.size() && !lines[k].empty(); ++k) {
    const std::string& line = lines[k];
    std::size_t colon = line.find(':');
    if (line[0] != '#' || colon == std::string::npos) {
      broken(k + 1, "a header line is '# Key: value'");
      continue;
    }
    if (line.find(':', colon + 1) != std::string::npos) broken(k + 1, "a value holds a colon, which cuts it");
    std::string key = line.substr(1, colon - 1), value = line.substr(line.find_first_not_of(' ', colon + 1));
    key.erase(0, key.find_first_not_of(' '));
    if (key == "LetterSpacing" && !LffNumber(value, checked.letterSpacing)) broken(k + 1, "LetterSpacing");
    if (key == "WordSpacing" && !LffNumber(value, checked.wordSpacing)) broken(k + 1, "WordSpacing");
  }
  if (k == lines.size()) broken(k, "no glyphs after the header");
  ++k;
  while (k < lines.size()) {
    const std::string& header = lines[k];
    unsigned code = 0;
    if (header.size() < 7 || header[0] != '[' || header[5] != ']' || header[6] != ' ' ||
        std::from_chars(header.data() + 1, header.data() + 5, code, 16).ptr != header.data() + 5) {
      broken(k + 1, "a glyph begins with [XXXX] and the character");
      return checked;
    }
    if (code == 0x20) broken(k + 1, "a glyph for the space, which the reader never looks up");
    if (checked.glyphs.count(code) != 0) broken(k + 1, "a second glyph for one code");
    auto& strokes = checked.glyphs[code];
    for (++k; k < lines.size() && !lines[k].empty(); ++k) {
      const std::string& line = lines[k];
      if (line.find_first_not_of(' ') == std::string::npos) broken(k + 1, "a line of spaces does not end a glyph");
      if (line[0] == 'C') broken(k + 1, "a reference: the export writes every stroke itself");
      std::vector<std::array<double, 3>> stroke;
      for (std::size_t start = 0; start <= line.size();) {
        std::size_t end = std::min(line.find(';', start), line.size());
        std::string vertex = line.substr(start, end - start);
        start = end + 1;
        std::size_t c1 = vertex.find(','), c2 = vertex.find(',', c1 + 1);
        double x = 0, y = 0, bulge = 0;
        bool ok = c1 != std::string::npos && LffNumber(std::string_view(vertex).substr(0, c1), x) &&
                  LffNumber(std::string_view(vertex).substr(c1 + 1, c2 == std::string::npos ? std::string::npos : c2 - c1 - 1), y);
        if (ok && c2 != std::string::npos) {
          ok = vertex[c2 + 1] == 'A' && LffNumber(std::string_view(vertex).substr(c2 + 2), bulge);
          if (stroke.empty()) broken(k + 1, "a bulge on a first vertex, where it is ignored");
        }
        if (!ok) broken(k + 1, "'" + vertex + "' is not x,y or x,y,A<bulge> with at most 5 decimals");
        stroke.push_back({x, y, bulge});
      }
      if (stroke.size() < 2) broken(k + 1, "a polyline of fewer than two vertices");
      strokes.push_back(stroke);
    }
    if (strokes.empty()) broken(k + 1, "a glyph without a polyline, which the reader drops");
    if (k == lines.size()) {
      broken(k, "the last glyph has no empty line after it");
      break;
    }
    ++k;  // the one empty line
    if (k < lines.size() && lines[k].empty()) broken(k + 1, "more than one empty line after a glyph");
  }
  return checked;
}

// The reader's geometry of one glyph: polylines in font units of the
// source (scale), arcs flattened finely; and its advance.
std::vector<std::vector<Point>> ReaderPolylines(const VertexRows& strokes, double toSource, double& advance,
                                                double letterSpacing) {
  std::vector<std::vector<Point>> lines;
  double right = -HUGE_VAL;
  for (const auto& stroke : strokes) {
    std::vector<Point> line{{stroke[0][0], stroke[0][1]}};
    right = std::max(right, stroke[0][0]);
    for (std::size_t k = 1; k < stroke.size(); ++k) {
      Point to{stroke[k][0], stroke[k][1]};
      ArcSegment arc = ArcOfBulge(line.back(), to, stroke[k][2]);
      right = std::max(right, stroke[k][2] != 0 ? ArcRightmost(arc) : to.x);
      std::vector<Point> points = stroke[k][2] != 0 ? FlattenArc(arc, 1e-6) : std::vector<Point>{line.back(), to};
      line.insert(line.end(), points.begin() + 1, points.end());
    }
    lines.push_back(std::move(line));
  }
  advance = (right < 0 ? 0 : right + letterSpacing) * toSource;
  for (auto& line : lines) {
    for (Point& p : line) p = {p.x * toSource, p.y * toSource};
  }
  return lines;
}

TEST(LffWriter, WritesTheLayoutTheSameWhereverGlyphsWaitForTheHeader) {
  // Capitals 7 units tall: the file's units are 9/7 of the font's, each
  // number rounded to 5 decimals. A asks for a letter spacing of
  // 8 * 9/7 - 9 = 1.28571..., é for 1.8 - 0.9 = 0.9: their middle is
  // 1.09286, and every advance moves. B's far point goes by the general
  // writer of numbers. D's arc (rightmost 4.5, advance 5.625: it asks for
  // 1.125) keeps its bulge -1 on the vertex that ends it; E's half circle,
  // squashed by its frame to the point (2, 3), has no chord for a bulge: a
  // dot. The colon would cut the name for the reader.
  GlyphFont font;
  font.name = "Tiny: test";
  font.capHeight = 7;
  font.glyphs.push_back({U' ', 0x20, LinesGlyph(0x20, {3.5, 0}, {})});
  font.glyphs.push_back({U'A', 0x41, LinesGlyph(0x41, {8, 0}, {{{0, 0}, {3.5, 7}, {7, 0}}, {{1, -2}, {6, -2}}})});
  font.glyphs.push_back({U'B', 0x42, LinesGlyph(0x42, {7000001, 0}, {{{0, 0}, {7000000, 7}}})});
  Glyph d = LinesGlyph(0x44, {4.375, 0}, {{{0, 0}, {0, 7}}});
  d.paths[0].segments.push_back(ArcSegment{{0, 7}, {0, 0}, {0, 3.5}, 3.5, 3.5, -180});
  font.glyphs.push_back({U'D', 0x44, d});
  font.glyphs.push_back({U'E', 0x45, ArcGlyph(0x45, {3, 0}, {{2, 3}, {2, 3}, {2, 3}, 0, 0, 180})});
  font.glyphs.push_back({U'\u00E9', 0xE9, LinesGlyph(0xE9, {1.4, 0}, {{{-1e-6, 0}, {0.7, 7}}})});
  const std::string expected =
      "# Format:            single-line font\n"
      "# Name:              Tiny test\n"
      "# Encoding:          UTF-8\n"
      "# LetterSpacing:     1.09286\n"
      "# WordSpacing:       4.5\n"
      "# LineSpacingFactor: 1\n"
      "\n"
      "[0041] A\n"
      "0,0;4.5,9;9,0\n"
      "1.28571,-2.57143;7.71429,-2.57143\n"
      "\n"
      "[0042] B\n"
      "0,0;9000000,9\n"
      "\n"
      "[0044] D\n"
      "0,0;0,9;0,0,A-1\n"
      "\n"
      "[0045] E\n"
      "2.57143,3.85714;2.57143,3.85714\n"
      "\n"
      "[00E9] \xC3\xA9\n"
      "0,0;0.9,9\n"
      "\n";
  const std::string dir = morlune::testing::MakeTempDir();
  const struct {
    const char* how;
    TextHolding holding;
  } rows[] = {
      {"in memory", {}},
      {"in a scratch file from the first glyph", {dir, 0}},
      {"in memory, then in a scratch file from the second glyph", {dir, 60}},
      {"drawn again: no scratch file can be made", {dir + "/none", 0}},
  };
  std::vector<std::string> toldInMemory;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    LossReport losses;
    std::string text;
    TextOutput out;
    out.AttachCapture(&text);
    WriteLff(font, losses, out, row.holding);
    out.Finish();
    EXPECT_EQ(text, expected);
    EXPECT_FALSE(out.Failed());
    // Each glyph's losses are told once, however often it is drawn.
    if (toldInMemory.empty()) toldInMemory = losses.Lines();
    EXPECT_EQ(losses.Lines(), toldInMemory);
    EXPECT_EQ(losses.Count(LossKind::kAdvancesMoved), 5);
    EXPECT_EQ(losses.Count(LossKind::kArcsFlattened), 0);
    // The scratch file leaves no name behind.
    EXPECT_TRUE(std::filesystem::is_empty(dir));
  }

  // Of a space the format keeps only its width: one that draws loses its
  // ink, and says so.
  font.glyphs[0] = {U' ', 0x20, LinesGlyph(0x20, {3.5, 0}, {{{0, 0}, {3, 0}}})};
  LossReport losses;
  EXPECT_EQ(LffText(font, losses), expected);
  EXPECT_EQ(losses.Count(LossKind::kCodesDropped), 1);

  // Glyphs of an advance alone (letters a font leaves blank) have codes the
  // format holds, but the reader drops a glyph that draws nothing: they are
  // told as blanks, not as codes out of reach. Past U+FFFF a code is out of
  // reach whatever it draws.
  font.glyphs[0] = {U' ', 0x20, LinesGlyph(0x20, {3.5, 0}, {})};
  font.glyphs.insert(font.glyphs.end() - 1, {{U'Y', 0x59, LinesGlyph(0x59, {5, 0}, {})},
                                            {U'z', 0x7A, LinesGlyph(0x7A, {4, 0}, {})}});
  font.glyphs.push_back({U'\U0001F600', 0x1F600, LinesGlyph(0x1F600, {4, 0}, {{{0, 0}, {1, 1}}})});
  LossReport blanks;
  LffText(font, blanks);
  EXPECT_EQ(blanks.Count(LossKind::kBlankDropped), 2);
  EXPECT_EQ(blanks.Count(LossKind::kCodesDropped), 1);
}

TEST(LffExport, EveryTestFontFollowsTheRulesAndDrawsAsMorluneDraws) {
  for (const std::string& path : ExportTestFonts()) {
    SCOPED_TRACE(path);
    LossReport losses;
    GlyphFont font = GlyphsOfFile(path, losses);
    CheckedLff checked = CheckLff(LffText(font, losses));
    EXPECT_TRUE(checked.broken.empty()) << ::testing::PrintToString(checked.broken);
    double toSource = font.capHeight / 9;
    // What is told, or what the file's own numbers cannot show: a step at
    // an arc's ends, and at its middle half a chord (at most a capital, 9
    // units) times half a step of its bulge.
    double unseen = losses.NoiseFloor() * (1 + 9.0 / 4);
    double allowed =
        std::max(losses.Largest(LossKind::kPointsMoved), losses.Largest(LossKind::kArcsFlattened)) + unseen + 1e-5;
    for (const CharacterGlyph& glyph : font.glyphs) {
      if (glyph.character == U' ' || glyph.character == 0 || glyph.glyph.paths.empty()) continue;
      SCOPED_TRACE(glyph.code);
      ASSERT_EQ(checked.glyphs.count(glyph.character), 1u);
      double advance = 0;
      auto drawn = ReaderPolylines(checked.glyphs[glyph.character], toSource, advance, checked.letterSpacing);
      EXPECT_LE(Distance(drawn, Polylines(glyph.glyph, 1, 0, 0)), allowed);
      EXPECT_LE(std::fabs(advance - glyph.glyph.advance.x), losses.Largest(LossKind::kAdvancesMoved) + 1e-4);
    }
  }
}

TEST(LffReader, CopiesBulgesAndAdvancesAsTheReaderDoes) {
  // A font of three glyphs: A, a right-bulging D, and an E that
  // copies D.
  Result<StrokeFont> font = ReadLff(
      "# Name: Morlune Test\n# LetterSpacing: 3\n# WordSpacing: 6.75\n\n"
      "[0041] A\n0,0;3,9;6,0\n1,3;5,3\n\n[0044] D\n0,0;0,9;0,0,A-1\n\n[0045] E\nC0044\n-2,4.5;2,4.5\n\n",
      "fallback");
  ASSERT_TRUE(font) << font.error().message;
  EXPECT_EQ(font->name, "Morlune Test");
  std::map<char32_t, const StrokeGlyph*> glyphs;
  for (const StrokeGlyph& glyph : font->glyphs) glyphs[glyph.character] = &glyph;
  ASSERT_EQ(glyphs.size(), 4u);
  // "ADE A" starts its glyphs at 0, 9, 16.5 and 30.75.
  EXPECT_EQ(glyphs[U'A']->advance, 9);
  EXPECT_EQ(glyphs[U'D']->advance, 7.5);
  EXPECT_EQ(glyphs[U'E']->advance, 7.5);
  EXPECT_EQ(glyphs[U' ']->advance, 6.75);
  EXPECT_EQ(Vertices(glyphs[U'E']->strokes),
            (VertexRows{{{-2, 4.5, 0}, {2, 4.5, 0}}, {{0, 0, 0}, {0, 9, 0}, {0, 0, -1}}}));
  // A bulge on a first vertex curves nothing.
  Result<StrokeFont> first = ReadLff("[0031] 1\n0,0,A1;6,0\n\n", "t");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->glyphs[1].strokes[0].vertices[0].bulge, 0);
}

// Each row a file the reader takes otherwise than as the format is written:
// what it draws, worked out from how the reader takes it, and the notes.
TEST(LffReader, TakesStrayFilesAsTheReaderDoesAndSaysWhere) {
  using Glyphs = std::map<char32_t, VertexRows>;
  const struct {
    const char* name;
    std::string text;
    Glyphs glyphs;  // the space aside
    std::vector<std::string> notes;
  } rows[] = {
      {"a later glyph for a code replaces the earlier, in the earlier's place",
       "[0041] A\n0,0;1,1\n\n[0042] B\n0,0;2,0\n\n[0041] A\n0,0;3,3\n\n",
       {{U'A', {{{0, 0, 0}, {3, 3, 0}}}}, {U'B', {{{0, 0, 0}, {2, 0, 0}}}}},
       {"glyphs for a code given before, kept in place of the earlier one: 1 (line 7)"}},
      {"a copy of a code given twice copies the later glyph",
       "[0041] A\n0,0;1,1\n\n[0042] B\nC0041\n\n[0041] A\n0,0;3,3\n\n",
       {{U'A', {{{0, 0, 0}, {3, 3, 0}}}}, {U'B', {{{0, 0, 0}, {3, 3, 0}}}}},
       {"glyphs for a code given before, kept in place of the earlier one: 1 (line 7)"}},
      {"a header's code is its first run of hexadecimal digits",
       "[[038c] x\n0,0;1,1\n\n[#0041] A\n0,0;2,2\n\n[ 42 ] B\n0,0;4,4\n\n",
       {{0x38C, {{{0, 0, 0}, {1, 1, 0}}}}, {U'A', {{{0, 0, 0}, {2, 2, 0}}}}, {U'B', {{{0, 0, 0}, {4, 4, 0}}}}},
       {"glyph headers read from their first run of hexadecimal digits: 2 (lines 1, 7)"}},
      {"a coordinate that does not parse is 0, and carries no bulge",
       "[0031] 1\n0,0;6.,1.5A.41;x,2\n4,4;5,5,Ajunk\n\n",
       {{U'1', {{{0, 0, 0}, {6, 0, 0}, {0, 2, 0}}, {{4, 4, 0}, {5, 5, 0}}}}},
       {"coordinates or bulges that are not numbers, read as 0: 3 (lines 2, 3)"}},
      {"a vertex of one number is skipped; a line left with one vertex draws nothing",
       "[0031] 1\n0,0;8.;2,2\n8.;3,3\n1,0;1,9\n\n",
       {{U'1', {{{0, 0, 0}, {2, 2, 0}}, {{1, 0, 0}, {1, 9, 0}}}}},
       {"vertices of one number, skipped: 2 (lines 2, 3)"}},
      {"glyphs whose copies come back to them are left out, and so is one that copies them",
       "[0041] A\n0,0;1,1\nC0041\n\n[0042] B\nC0043\n\n[0043] C\n0,0;1,0\nC0042\n\n"
       "[0044] D\nC0042\n\n[0045] E\n0,0;5,0\n\n",
       {{U'E', {{{0, 0, 0}, {5, 0, 0}}}}},
       {"glyphs that copy themselves, directly or through others, left out: 4 (lines 1, 5, 8, ...)"}},
      {"each kind told once with its count, in the order first met; the first three lines shown",
       "[0041] A\n8;0,0;1,1\n9;0,0;2,2\n7;0,0;3,3\n6;0,0;4,4\n0,0;y,1\n\n",
       {{U'A', {{{0, 0, 0}, {1, 1, 0}}, {{0, 0, 0}, {2, 2, 0}}, {{0, 0, 0}, {3, 3, 0}}, {{0, 0, 0}, {4, 4, 0}},
                {{0, 0, 0}, {0, 1, 0}}}}},
       {"vertices of one number, skipped: 4 (lines 2, 3, 4, ...)",
        "coordinates or bulges that are not numbers, read as 0: 1 (line 6)"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Result<StrokeFont> font = ReadLff(row.text, "t");
    ASSERT_TRUE(font) << font.error().message;
    Glyphs glyphs;
    for (const StrokeGlyph& glyph : font->glyphs) {
      if (glyph.character != U' ') glyphs[glyph.character] = Vertices(glyph.strokes);
    }
    EXPECT_EQ(glyphs, row.glyphs);
    EXPECT_EQ(font->notes.Lines(), row.notes);
  }
  // A file as the format is written has nothing to tell.
  Result<StrokeFont> clean = ReadLff("# Name: t\n\n[0041] A\n0,0;3,9;6,0,A0.5\nC0042\n\n[0042] B\n0,0;1,1\n\n", "t");
  ASSERT_TRUE(clean);
  EXPECT_TRUE(clean->notes.Empty());
}

// Junk, an empty file and a file of headers alone hold no glyph the reader
// would draw: no font; nor does one that would hang or crash the reader.
TEST(LffReader, RefusesFilesWithoutGlyphsAndWhatWouldHangOrCrashTheReader) {
  std::string random;
  unsigned state = 12345;
  for (int k = 0; k < 5000; ++k) {
    state = state * 1103515245 + 12345;
    random += static_cast<char>(state >> 16);
  }
  std::string doubling;  // each glyph copies the one before twice: 2^40 copies
  char line[64];
  std::snprintf(line, sizeof line, "[%04X] x\n0,0;1,1\n\n", 0x100);
  doubling += line;
  for (int k = 1; k <= 40; ++k) {
    std::snprintf(line, sizeof line, "[%04X] x\nC%04X\nC%04X\n\n", 0x100 + k, 0x100 + k - 1, 0x100 + k - 1);
    doubling += line;
  }
  std::string chain;  // each glyph copies the next: 60,000 deep, past any call stack
  for (int k = 0; k < 60000; ++k) {
    std::snprintf(line, sizeof line, "[%05X] x\nC%05X\n\n", 0x10000 + k, 0x10000 + k + 1);
    chain += line;
  }
  const std::string kNoGlyph = "no glyph found: no [code] line followed by strokes";
  const struct {
    std::string text;
    std::string message;
  } rows[] = {
      {"", kNoGlyph},
      {random, kNoGlyph},
      {"# Name: t\n# LetterSpacing: 3\n", kNoGlyph},
      {"[0041] A\n\n[0042] B\n5,5\n\n", kNoGlyph},
      {"[0020]\n0,0;1,1\n\n", kNoGlyph},
      {"[0041] A\n0,0;1,nan\n\n", "line 2: '1,nan' is not a vertex x,y or x,y,A<bulge>"},
      {"[0041] A\n0,0;1e999,1\n\n", "line 2: '1e999,1' is not a vertex x,y or x,y,A<bulge>"},
      {"[0041] A\n0,0;1,1,B2\n\n", "line 2: '1,1,B2' is not a vertex x,y or x,y,A<bulge>"},
      {"[0041] A\n0,0;1,1,A1,2\n\n", "line 2: '1,1,A1,2' is not a vertex x,y or x,y,A<bulge>"},
      {"[ZZ] A\n0,0;1,1\n\n", "line 1: a glyph header is [ and 1 to 6 hexadecimal digits and ]"},
      {"[1234567] A\n0,0;1,1\n\n", "line 1: a glyph header is [ and 1 to 6 hexadecimal digits and ]"},
      {"[0041 A\n0,0;1,1\n\n", "line 1: a glyph header is [ and 1 to 6 hexadecimal digits and ]"},
      {"[110000] x\n0,0;1,1\n\n", "line 1: a glyph header's code 110000 lies past U+10FFFF, the last character"},
      {"[FFFFFF] x\n0,0;1,1\n\n", "line 1: a glyph header's code FFFFFF lies past U+10FFFF, the last character"},
      {doubling, "U+0110 follows too many references"},
      {chain, "the glyphs follow more than 4194304 references"},
  };
  for (const auto& row : rows) {
    Result<StrokeFont> font = ReadLff(row.text, "t");
    ASSERT_FALSE(font) << row.text.substr(0, 60);
    EXPECT_EQ(font.error().message, row.message);
  }
}

TEST(LffImport, LatinAndCjkFontsOfOurOwnCompileWithinTolerance) {
  const std::string latin =
      "# Name: Latin test\n# LetterSpacing: 2.5\n\n"
      "[0041] A\n0,0;3.2,9;6.4,0\n1.1,3.3;5.3,3.3\n\n"
      "[0044] D\n0,0;0,9;0,0,A-1\n\n"
      "[004F] O\n0,4.5;9,4.5,A1;0,4.5,A1\n\n"
      "[0053] S\n5.8,7.9;3,9,A0.41421;0.3,6.7,A0.41421;5.7,2.3,A-0.5;3,0,A-0.41421;0.2,1.1,A-0.41421\n\n"
      "[00E9] \xC3\xA9\n0.5,3;5.5,3;3,6,A1.2;0.5,3\n2,7;4,8.5\n\n";
  const std::string cjk =
      "# Name: CJK test\n\n"
      "[4E00] \xE4\xB8\x80\n0,4.5;9,4.5\n\n"
      "[4E8C] \xE4\xBA\x8C\n1,7;8,7\n0,1;9,1\n\n"
      "[53E3] \xE5\x8F\xA3\n1,1;1,8;8,8;8,1;1,1\n\n"
      "[65E5] \xE6\x97\xA5\n1.5,0;1.5,8.5;7.5,8.5;7.5,0;1.5,0\n1.5,4.25;7.5,4.25\n\n";
  const struct {
    std::string text;
    const char* bigfontEncoding;  // empty: the variant the codes call for
    Variant variant;
    std::string head;  // how the source text begins
  } rows[] = {
      {latin, "", Variant::kShapes11, "*0,4,Latin test\n"},
      {cjk, "", Variant::kUnifont, "*UNIFONT,6,CJK test\n"},
      {cjk, "CP932", Variant::kBigfont,
       // One escape range for each lead byte: 0x88 (U+4E00), 0x8C (U+53E3), 0x93 (U+4E8C, U+65E5).
       "*BIGFONT 6,3,088,088,08C,08C,093,093\n*0,4,CJK test\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.head);
    Result<StrokeFont> font = ReadLff(row.text, "t");
    ASSERT_TRUE(font) << font.error().message;
    ImportOptions options;
    if (*row.bigfontEncoding != '\0') {
      options.variant = Variant::kBigfont;
      options.encoding = row.bigfontEncoding;
    }
    Result<ImportedFont> imported = ImportStrokeFont(*font, options);
    ASSERT_TRUE(imported) << imported.error().message;
    EXPECT_EQ(imported->variant, row.variant);
    EXPECT_EQ(imported->sourceText.substr(0, row.head.size()), row.head);
    EXPECT_EQ(imported->charactersLeftOut, 0);
    EXPECT_LE(imported->largestError, imported->tolerance);
    EXPECT_NEAR(imported->tolerance, 0.09, 1e-12);  // 1% of 9 units
    // Every glyph compiled, each ending at its advance on the baseline.
    Result<ShapeFont> drawn = OpenShapeFont(imported->compiled);
    ASSERT_TRUE(drawn);
    EXPECT_EQ(drawn->height, imported->heightUnits);
    EXPECT_EQ(drawn->shapes.size(), font->glyphs.size());
    for (const DrawnShape& shape : drawn->shapes) EXPECT_EQ(shape.glyph.advance.y, 0);
  }
}

TEST(LffImport, AStrokeOfNoLengthComesBackAsADot) {
  // The reader paints a dot for a stroke that stays on one point, straight
  // or with a bulge; a move of none draws nothing, so the dot is a unit
  // there and back at an 128th of the scale, 1/128 off the point, leftward
  // (018 then 010), so that it reaches no farther right than its point. On
  // a grid of 9 (one grid unit a file unit) the A's line is 090 and its
  // advance 9 + 3; the B's dot is where its pen starts, down.
  const std::string aDot = "\n*00041,17,\n090,2,8,(-8,1),1,3,128,018,010,4,128,2,8,(11,-1),0\n";
  const struct {
    const char* lff;
    std::string record;
    double largestError;
  } rows[] = {
      {"[0041] A\n0,0;9,0\n1,1;1,1\n\n", aDot, 1.0 / 128},
      {"[0041] A\n0,0;9,0\n1,1;1,1,A1\n\n", aDot, 1.0 / 128},
      // Rounded to (1, 1): the dot reaches left to 1 - 1/128, 0.2 + 1/128
      // from the point.
      {"[0041] A\n0,0;9,0\n1.2,1;1.2,1\n\n", aDot, 0.2 + 1.0 / 128},
      {"[0042] B\n0,0;0,0\n3,0;3,9\n\n", "\n*00042,15,\n3,128,018,010,4,128,2,030,1,094,2,8,(3,-9),0\n",
       1.0 / 128},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.lff);
    Result<StrokeFont> font = ReadLff(row.lff, "t");
    ASSERT_TRUE(font) << font.error().message;
    ImportOptions options;
    options.heightUnits = 9;
    Result<ImportedFont> imported = ImportStrokeFont(*font, options);
    ASSERT_TRUE(imported) << imported.error().message;
    EXPECT_NE(imported->sourceText.find(row.record), std::string::npos) << imported->sourceText;
    // Measured on the drawing of what was compiled.
    EXPECT_NEAR(imported->largestError, row.largestError, 1e-9);
  }
}

TEST(LffImport, AdvancesComeBackWithOneLetterSpacing) {
  // On a grid of 90 (ten units a file unit) the letter spacing 3.44 is
  // 34.4 units, rounded to 34; each advance is the rightmost point drawn,
  // rounded, plus those 34, where rounding the sum would give some glyphs
  // one unit more. Back in LFF the one spacing 34 / 10 then gives every
  // advance exactly, and nothing is lost.
  const std::string text =
      "# LetterSpacing: 3.44\n\n"
      // A line: right 14.4, so 14 + 34 (the sum 48.8 rounds to 49).
      "[0041] A\n0,0;1.44,9\n\n"
      // A half circle from (0, 0) to (0, 4.62) counterclockwise: its
      // rightmost point (23.1, 23.1) lies between its ends, 23 + 34 (57.5
      // would round to 58).
      "[0042] B\n0,0;0,4.62,A1\n\n"
      // A quarter circle that ends at its rightmost point (24.4, 44.4)
      // from (0, 20): 24 + 34 (58.8 would round to 59).
      "[0043] C\n0,2;2.44,4.44,A0.41421356\n\n"
      // A dot as the rightmost point, at 24.4: 24 + 34.
      "[0044] D\n0,0;1,9\n2.44,0;2.44,0\n\n"
      // Ink wholly left of the origin: no advance, as the reader has it.
      "[0045] E\n-3,0;-1.26,9\n\n";
  const struct {
    std::uint32_t code;
    double advance;
  } rows[] = {{0x41, 48}, {0x42, 57}, {0x43, 58}, {0x44, 58}, {0x45, 0}};
  Result<StrokeFont> font = ReadLff(text, "t");
  ASSERT_TRUE(font) << font.error().message;
  ImportOptions options;
  options.heightUnits = 90;
  Result<ImportedFont> imported = ImportStrokeFont(*font, options);
  ASSERT_TRUE(imported) << imported.error().message;
  Result<ShapeFont> drawn = OpenShapeFont(imported->compiled);
  ASSERT_TRUE(drawn);
  std::map<std::uint32_t, double> advances;
  for (const DrawnShape& shape : drawn->shapes) advances[shape.glyph.code] = shape.glyph.advance.x;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(advances[row.code], row.advance);
  }

  Result<Font> compiled = OpenCompiledFont(imported->compiled);
  ASSERT_TRUE(compiled);
  std::string problem;
  std::optional<CodeMap> codes = CodeMap::For(compiled->variant(), "", problem);
  ASSERT_TRUE(codes) << problem;
  ShapeGlyphs glyphs(std::move(*compiled), *codes, "t");
  LossReport losses;
  std::string back = LffText(glyphs, losses);
  EXPECT_TRUE(losses.Empty()) << ::testing::PrintToString(losses.Lines());
  EXPECT_NE(back.find("# LetterSpacing:     3.4\n"), std::string::npos) << back;
}

}  // namespace
}  // namespace morlune::convert::testing
