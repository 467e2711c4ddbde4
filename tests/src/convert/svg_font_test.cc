// SVG fonts: arcs written with their sweep in y-up glyph space, the em
// chosen to set text as tall as the reader's own stroke fonts, Inkscape's
// hershey.py setting every test font; path data and XML read with their
// faults named.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <regex>

#include "convert/arc_math.h"
#include "convert/import/stroke_distance.h"
#include "convert/svg/svg_font_reader.h"
#include "convert/svg/svg_font_writer.h"
#include "convert/svg/svg_path_data.h"
#include "convert/svg/xml_reader.h"
#include "tests/src/convert/convert_support.h"
#include "tests/support/process_run.h"

namespace morlune::convert::testing {
namespace {

using morlune::testing::MakeTempDir;
using morlune::testing::ProcessResult;
using morlune::testing::ReadFileBytes;
using morlune::testing::RunProcess;
using morlune::testing::WriteFileBytes;

std::string GlyphLine(const std::string& svg, const std::string& unicode) {
  std::size_t at = svg.find("<glyph unicode=\"" + unicode + "\"");
  return at == std::string::npos ? "" : svg.substr(at, svg.find('\n', at) - at);
}

TEST(SvgFontWriter, ArcsKeepTheirTurnInGlyphSpaceOrGoAsStraightPieces) {
  GlyphFont font;
  font.capHeight = 6.62;  // an em of 10
  const struct {
    char32_t character;
    ArcSegment arc;
    const char* d;
  } turns[] = {
      // A half turn counterclockwise: sweep flag 1.
      {U'a', {{0, 3}, {6, 3}, {3, 3}, 3, 3, 180}, "M 0 3 A 3 3 0 0 1 6 3"},
      // A quarter turn clockwise: sweep flag 0.
      {U'b', {{3, 0}, {0, 3}, {0, 0}, 3, 3, -90}, "M 3 0 A 3 3 0 0 0 0 3"},
      // Mirrored along x by a frame, the same sweep turns the other way.
      {U'c', {{-3, 0}, {0, 3}, {0, 0}, -3, 3, 90}, "M -3 0 A 3 3 0 0 0 0 3"},
      // Three quarters and stretched: the large arc, an ellipse.
      {U'd', {{2, 0}, {0, -1}, {0, 0}, 2, 1, 270}, "M 2 0 A 2 1 0 1 1 0 -1"},
      // A half circle whose radius 4.9999996 would round up to 5 while its
      // end rounds to 9.999999: a radius of 5 on a chord of 9.999999 puts
      // the centre sqrt(25 - 4.9999995^2) = 0.0022 off the chord. Rounded
      // down, the radius is too small for the chord and the reader makes it
      // span it: the centre stays on the chord, 1e-7 from where it was.
      {U'e', {{0, 0}, {9.9999992, 0}, {4.9999996, 0}, 4.9999996, 4.9999996, 180},
       "M 0 0 A 4.999999 4.999999 0 0 1 9.999999 0"},
  };
  // An SVG arc with a zero radius is a straight line to its end, and one
  // ending at its start is not drawn: a circle of radius 2 about (1, 0)
  // squashed to no width by its frame draws a vertical line from y = -2 to
  // 2 in a half turn from (1, -2), and from (1, 0) goes up to y = 2 and
  // back.
  const struct {
    char32_t character;
    ArcSegment arc;
    double lowest, highest;
  } flat[] = {
      {U'x', {{1, -2}, {1, 2}, {1, 0}, 0, 2, 180}, -2, 2},
      {U'y', {{1, 0}, {1, 0}, {1, 0}, 0, 2, 180}, 0, 2},
      // From 30 degrees on the circle (y = 1) a quarter turn to 120 (y =
      // 1.732), over the top: only the end tells 30 from 150.
      {U'z', {{1, 1}, {1, std::sqrt(3.0)}, {1, 0}, 0, 2, 90}, 1, 2},
  };
  for (const auto& row : turns) {
    font.glyphs.push_back({row.character, row.character, ArcGlyph(row.character, {7, 0}, row.arc)});
  }
  for (const auto& row : flat) {
    font.glyphs.push_back({row.character, row.character, ArcGlyph(row.character, {3, 0}, row.arc)});
  }
  font.glyphs.push_back({U'<', '<', LinesGlyph('<', {2.5, 0}, {{{0, 0}, {1, 1}}})});
  font.glyphs.push_back({U' ', ' ', LinesGlyph(' ', {4, 0}, {})});
  LossReport losses;
  std::string svg = SvgFontText(font, "Morl&Test", losses);
  for (const auto& row : turns) {
    std::string unicode(1, static_cast<char>(row.character));
    EXPECT_EQ(GlyphLine(svg, unicode), "<glyph unicode=\"" + unicode + "\" horiz-adv-x=\"7\" d=\"" + row.d + "\"/>");
  }
  EXPECT_EQ(GlyphLine(svg, "&#x3C;"), "<glyph unicode=\"&#x3C;\" horiz-adv-x=\"2.5\" d=\"M 0 0 L 1 1\"/>");
  // The space draws nothing: no d at all; its advance is the font's default.
  EXPECT_EQ(GlyphLine(svg, "&#x20;"), "<glyph unicode=\"&#x20;\" horiz-adv-x=\"4\"/>");
  EXPECT_NE(svg.find("<font id=\"Morl&amp;Test\" horiz-adv-x=\"4\">"), std::string::npos);
  EXPECT_NE(svg.find("units-per-em=\"10\""), std::string::npos);
  EXPECT_NE(svg.find("<missing-glyph "), std::string::npos);
  // Only the flat arcs go as straight pieces. Those of x and y lie on the
  // line the arc draws, off it by no more than the arithmetic's noise,
  // which the file's decimals cannot show: no loss. Only the tip of z's
  // fold, between two of them, is cut, by at most the flatness (a
  // thousandth of the capital).
  EXPECT_EQ(losses.Lines().size(), 1u);
  EXPECT_EQ(losses.Count(LossKind::kArcsFlattened), 1);
  EXPECT_LE(losses.Largest(LossKind::kArcsFlattened), 6.62e-3);
  Result<StrokeFont> back = ReadSvgFont(svg, "font");
  ASSERT_TRUE(back) << back.error().message;
  for (const auto& row : flat) {
    std::string unicode(1, static_cast<char>(row.character));
    SCOPED_TRACE(unicode);
    EXPECT_EQ(GlyphLine(svg, unicode).find(" A "), std::string::npos);
    auto glyph = std::find_if(back->glyphs.begin(), back->glyphs.end(),
                              [&](const StrokeGlyph& g) { return g.character == row.character; });
    ASSERT_NE(glyph, back->glyphs.end());
    double lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (const Stroke& stroke : glyph->strokes) {
      for (const StrokeVertex& v : stroke.vertices) {
        EXPECT_EQ(v.x, 1);
        lowest = std::min(lowest, v.y);
        highest = std::max(highest, v.y);
      }
    }
    EXPECT_NEAR(lowest, row.lowest, 0.01);
    EXPECT_NEAR(highest, row.highest, 0.01);
  }
}

// The reader's output: each character's path data and the x it is set at.
struct SetGlyph {
  std::string d;
  double scale = 0, x = 0;
};

std::vector<SetGlyph> SetGlyphs(const std::string& svg) {
  std::vector<SetGlyph> glyphs;
  std::regex path(R"re(<path d="([^"]*)"[^>]*transform="(scale|matrix)\(([^)]*)\)")re");
  for (std::sregex_iterator it(svg.begin(), svg.end(), path), end; it != end; ++it) {
    std::vector<double> numbers;
    std::string list = (*it)[3];
    for (char& c : list) c = c == ',' ? ' ' : c;
    std::istringstream in(list);
    for (double v; in >> v;) numbers.push_back(v);
    SetGlyph glyph{(*it)[1], numbers.empty() ? 0 : numbers[0], (*it)[2] == "matrix" && numbers.size() == 6 ? numbers[4] : 0};
    glyphs.push_back(glyph);
  }
  return glyphs;
}

// Whatever radius the file's decimals give an arc, the arc the reader
// draws from them is either within a hundred-thousandth of a capital of it or
// told as moved by at least as much as its centre moved: read back, each
// arc's centre is held against the one drawn.
TEST(SvgFontWriter, ArcsTheReaderMovesAreTold) {
  const struct {
    double radius, turn;  // the turn in degrees, from (radius, 0) about (0, 0)
    Point centre;
  } rows[] = {{4.9999996, 180, {0.1234567, 0}}, {1.2345674, 180, {0, 0}},  {7.7777777, 179.99, {0.3, 0.3}},
              {3.1415926, 179.9, {0, 0}},       {2.7182818, 90, {1, 2}},   {0.0000017, 180, {5, 5}}};
  constexpr double kPi = 3.14159265358979323846;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.radius);
    double end = row.turn * kPi / 180;
    ArcSegment arc{{row.centre.x + row.radius, row.centre.y},
                   {row.centre.x + row.radius * std::cos(end), row.centre.y + row.radius * std::sin(end)},
                   row.centre, row.radius, row.radius, row.turn};
    GlyphFont font;
    font.capHeight = 6.62;
    font.glyphs.push_back({U'o', 'o', ArcGlyph('o', {7, 0}, arc)});
    LossReport losses;
    std::string svg = SvgFontText(font, "t", losses);
    Result<StrokeFont> back = ReadSvgFont(svg, "t");
    ASSERT_TRUE(back) << back.error().message;
    ASSERT_EQ(back->glyphs[0].strokes.size(), 1u);
    const auto& vertices = back->glyphs[0].strokes[0].vertices;
    ASSERT_EQ(vertices.size(), 2u);
    ArcSegment read = ArcOfBulge({vertices[0].x, vertices[0].y}, {vertices[1].x, vertices[1].y}, vertices[1].bulge);
    double moved = std::hypot(read.centre.x - row.centre.x, read.centre.y - row.centre.y);
    // A hundred-thousandth of the capital is the decimals' own noise.
    if (moved > 6.62e-5) {
      EXPECT_GE(losses.Largest(LossKind::kPointsMoved), moved - 1e-9) << svg;
    }
  }
}

TEST(SvgFontReaderProgram, HersheyPySetsWhatMorluneDraws) {
  const std::string extensions = "/usr/share/inkscape/extensions";
  if (!std::filesystem::exists(extensions + "/hershey.py")) GTEST_SKIP() << "inkscape's hershey.py is not installed";
  const std::string dir = MakeTempDir();
  constexpr double kFontSize = 200;
  for (const std::string& path : ExportTestFonts()) {
    SCOPED_TRACE(path);
    LossReport losses;
    GlyphFont font = GlyphsOfFile(path, losses);
    WriteFileBytes(dir + "/MorlTest.svg", SvgFontText(font, "MorlTest", losses));
    std::string text;
    std::vector<const CharacterGlyph*> set;
    for (const CharacterGlyph& glyph : font.glyphs) {
      if (glyph.character > U' ' && glyph.character < 0x7F && glyph.character != U'<' && glyph.character != U'&') {
        text += static_cast<char>(glyph.character);
        set.push_back(&glyph);
      }
    }
    WriteFileBytes(dir + "/text.svg",
                   "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4000\" height=\"400\">"
                   "<text x=\"0\" y=\"300\" style=\"font-size:200px;font-family:MorlTest\">" + text +
                       "</text></svg>\n");
    ProcessResult run = RunProcess({{"hershey.py", "--tab=render", "--fontface=other",
                                     "--otherfont=" + dir + "/MorlTest.svg", "--output=" + dir + "/out.svg",
                                     dir + "/text.svg"},
                                    morlune::testing::StdinKind::kNone, "", "", {}, extensions, "/usr/bin/python3"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<SetGlyph> placed = SetGlyphs(ReadFileBytes(dir + "/out.svg"));
    // Capitals as tall as the reader's own fonts': 0.662 of the size.
    double scale = kFontSize * 0.662 / font.capHeight;
    double x = 0;
    std::size_t next = 0;
    for (const CharacterGlyph* glyph : set) {
      SCOPED_TRACE(glyph->code);
      if (!glyph->glyph.paths.empty()) {
        ASSERT_LT(next, placed.size());
        const SetGlyph& got = placed[next++];
        EXPECT_NEAR(got.scale, scale, 1e-3 * scale);
        EXPECT_NEAR(got.x, x, 1e-3);
        StrokeGlyph read;
        ASSERT_FALSE(ReadPathData(got.d, 1e-5, read.strokes)) << got.d;
        EXPECT_LE(Distance(StrokePolylines(read, 1, 1e-6), Polylines(glyph->glyph, 1, 0, 0)), 1e-4) << got.d;
      }
      x += glyph->glyph.advance.x * scale;
    }
    EXPECT_EQ(next, placed.size());
  }
}

// Each row read whole, or refused with its fault named.
TEST(SvgPathData, EveryCommandAbsoluteOrRelativeAndMalformedDataNamed) {
  const struct {
    const char* d;
    VertexRows strokes;
    const char* message = nullptr;
  } rows[] = {
      {"M0,0L3e2,9E2,600,0", {{{0, 0, 0}, {300, 900, 0}, {600, 0, 0}}}},
      {"m1 1 2 0 0 2 z", {{{1, 1, 0}, {3, 1, 0}, {3, 3, 0}, {1, 1, 0}}}},
      {"M 1 1 H 5 v 2 h -1 V 0", {{{1, 1, 0}, {5, 1, 0}, {5, 3, 0}, {4, 3, 0}, {4, 0, 0}}}},
      // A half circle turning counterclockwise in y-up space: bulge 1.
      {"M 0 0 A 3 3 0 0 1 6 0", {{{0, 0, 0}, {6, 0, 1}}}},
      // Flags without blanks; a radius too small is made large enough.
      {"M0 0a1 1 0 006 0", {{{0, 0, 0}, {6, 0, -1}}}},
      // An arc that ends where it starts draws nothing.
      {"M 0 0 A 1 1 0 1 1 0.0 -0.0", {}},
      {"M 0 0 M 5 5 L 6 6", {{{5, 5, 0}, {6, 6, 0}}}},
      // A closed lone move is a dot, stroked like a line of no length.
      {"M 2 3 Z", {{{2, 3, 0}, {2, 3, 0}}}},
      {"M 2 3 L 2 3", {{{2, 3, 0}, {2, 3, 0}}}},
      {"M 1 1 L 4 1 m 1 1 z", {{{1, 1, 0}, {4, 1, 0}}, {{5, 2, 0}, {5, 2, 0}}}},
      {"M 0 0 Q 5", {}, "'Q' needs two pairs at character 10 of the path data"},
      {"10 10", {}, "a number stands where a command should at character 1 of the path data"},
      {"M 0 0 L 1e999 0", {}, "'L' needs a pair at character 9 of the path data"},
      {"M 0 0 A 1 1 0 2 0 5 5", {}, "'A' needs radii, a rotation, two flags and a pair at character 15 of the path data"},
      {"M 0 0 X 1", {}, "'X' is no path command at character 8 of the path data"},
  };
  for (const auto& row : rows) {
    std::vector<Stroke> strokes;
    std::optional<std::string> problem = ReadPathData(row.d, 1e-3, strokes);
    EXPECT_EQ(problem, row.message ? std::optional<std::string>(row.message) : std::nullopt) << row.d;
    if (!row.message) {
      EXPECT_EQ(Vertices(strokes), row.strokes) << row.d;
    }
  }
}

// A reader looks glyphs up one character at a time: a glyph for several
// (a ligature) is never used, and is told as left out with its line.
TEST(SvgFontReader, GlyphsOfSeveralCharactersAreToldAsLeftOut) {
  const std::string svg =
      "<svg><font horiz-adv-x='500'><font-face units-per-em='1000'/>\n"
      "<glyph unicode='f' d='M 0 0 L 0 700'/>\n"
      "<glyph unicode='ff' d='M 0 0 L 0 700 M 300 0 L 300 700'/>\n"
      "<glyph unicode='f&#x69;' d='M 0 0 L 0 700'/><glyph unicode='\xEF\xAC\x80' d='M 0 0 L 0 700'/>\n"
      "<glyph d='M 0 0 L 9 9'/><glyph unicode='' d='M 0 0 L 9 9'/>\n"
      "<glyph unicode='\xC3\xA9\xC3\xA9' d='M 0 0 L 0 500'/></font></svg>";
  Result<StrokeFont> font = ReadSvgFont(svg, "t");
  ASSERT_TRUE(font) << font.error().message;
  std::vector<char32_t> characters;
  for (const StrokeGlyph& glyph : font->glyphs) characters.push_back(glyph.character);
  EXPECT_EQ(characters, (std::vector<char32_t>{U'f', 0xFB00}));
  EXPECT_EQ(font->notes.Lines(), std::vector<std::string>{"glyphs for more than one character, left out: 3 (lines 3, 4, 6)"});
}

TEST(SvgPathData, CurvesStayWithinTheFlatness) {
  // A quarter circle as a cubic (the usual 0.5523 handles) and as an
  // elliptical arc; samples lie on the curve, chords within the flatness.
  const char* paths[] = {"M 100 0 C 100 55.23 55.23 100 0 100", "M 100 0 A 100 50 0 0 1 0 50",
                         "M 0 0 Q 50 100 100 0 T 200 0"};
  for (const char* d : paths) {
    std::vector<Stroke> strokes;
    ASSERT_FALSE(ReadPathData(d, 0.01, strokes)) << d;
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_GT(strokes[0].vertices.size(), 20u) << d;
    for (std::size_t k = 1; k < strokes[0].vertices.size(); ++k) EXPECT_TRUE(strokes[0].vertices[k].sampled);
  }
}

TEST(XmlReader, ElementsAttributesAndBrokenDocuments) {
  std::vector<XmlElement> elements;
  ASSERT_FALSE(ReadXml("\xEF\xBB\xBF<?xml version='1.0'?><!DOCTYPE svg [<!ENTITY x \"]>\">]>\n"
                       "<svg:svg a='1&amp;&#x41;&#66;'><!-- <no> --><defs><font id=\"f\"/></defs></svg:svg>",
                       elements));
  ASSERT_EQ(elements.size(), 3u);
  EXPECT_EQ(elements[0].name, "svg");
  EXPECT_EQ(*elements[0].Attribute("a"), "1&AB");
  EXPECT_EQ(elements[2].name, "font");
  EXPECT_EQ(elements[2].parent, 1);
  EXPECT_EQ(elements[0].line, 2u);
  EXPECT_EQ(elements[2].line, 2u);
  elements.clear();
  ASSERT_FALSE(ReadXml("<a>\n\n<b/><c\n/>\n<d/></a>", elements));
  ASSERT_EQ(elements.size(), 4u);
  EXPECT_EQ(elements[1].line, 3u);
  EXPECT_EQ(elements[2].line, 3u);
  EXPECT_EQ(elements[3].line, 5u);

  std::string deep;
  for (int k = 0; k < 300; ++k) deep += "<g>";
  const struct {
    std::string text;
    const char* message;
  } rows[] = {
      {"<a><b></a>", "line 1: the end tag 'a' closes no open element of that name"},
      {"<a>\n<b>", "line 2: the element 'b' is never closed"},
      {"<a x='1' x='2'/>", "line 1: the attribute 'x' stands twice"},
      {"<a x='&nbsp;'/>", "line 1: the entity '&nbsp;' is not declared"},
      {"<a x='&#0;'/>", "line 1: '&#0;' is no character"},
      {"<a x=1/>", "line 1: the value of 'x' is not quoted"},
      {"<a/><b/>", "line 1: a second root element"},
      {"<!-- open", "line 1: a comment is never closed"},
      {"plain text", "line 1: no element"},
      {deep, "line 1: elements nest deeper than 256"},
  };
  for (const auto& row : rows) {
    std::vector<XmlElement> parsed;
    auto problem = ReadXml(row.text, parsed);
    ASSERT_TRUE(problem) << row.text.substr(0, 40);
    EXPECT_EQ(*problem, row.message);
  }
}

}  // namespace
}  // namespace morlune::convert::testing
