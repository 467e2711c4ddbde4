// How many straight pieces an arc is written as: a chord over angle a
// strays r(1 - cos(a/2)) from its circle, so a tolerance t allows pieces
// of 2 acos(1 - t/r) each, from one piece up to 4,096.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <sstream>
#include <string>

#include "convert/arc_math.h"
#include "convert/glyph_font.h"
#include "convert/lff/lff_reader.h"
#include "tests/src/convert/convert_support.h"

namespace morlune::convert {
namespace {

constexpr double kPi = 3.14159265358979323846;

// An arc of the given semi-axes around the origin, from angle 0.
ArcSegment Arc(double axisX, double axisY, double sweep) {
  double end = sweep * kPi / 180;
  return {{axisX, 0}, {axisX * std::cos(end), axisY * std::sin(end)}, {0, 0}, axisX, axisY, sweep};
}

// The tolerance at which a chord over the given angle strays exactly that
// far from a circle of the radius, nudged by the factor.
double StrayOfChord(double radius, double angle, double factor) { return radius * (1 - std::cos(angle / 2)) * factor; }

TEST(FlatPieces, CountsTheChordsThatStayWithinTheTolerance) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    ArcSegment arc;
    double tolerance;
    int pieces;
  };
  const Case cases[] = {
      {"half circle in chords of an eighth of a turn, just allowed", Arc(1, 1, 180), StrayOfChord(1, kPi / 4, 1.000001), 4},
      {"the same chords just too far", Arc(1, 1, 180), StrayOfChord(1, kPi / 4, 0.999999), 5},
      {"mirrored axes count by their size", Arc(-10, 10, 360), StrayOfChord(10, kPi / 32, 1.000001), 64},
      {"an ellipse by its larger axis", Arc(2, 10, 360), StrayOfChord(10, kPi / 32, 1.000001), 64},
      {"tolerance past the radius", Arc(1, 1, 270), 1.5, 1},
      {"no tolerance", Arc(1, 1, 270), 0, 1},
      {"an endless radius", Arc(kInfinity, 1, 90), 1e-3, 1},
      {"a huge circle stops at the most", Arc(1e12, 1e12, 360), 1e-3, 4096},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FlatPieces(c.arc, c.tolerance), c.pieces) << c.what;
    EXPECT_EQ(FlattenArc(c.arc, c.tolerance).size(), static_cast<std::size_t>(c.pieces) + 1) << c.what;
  }
}

TEST(FlatteningBudget, ExportsCutAGlyphWhoseArcsWouldWriteTooManyPieces) {
  // Two glyphs of twenty whole ellipses a million units across, each drawn
  // from and back to one point: no format holds them as arcs (an SVG arc
  // that ends at its start draws nothing), and each takes 4,096 pieces. A
  // glyph may take 65,536 (16 ellipses): each is cut short, and what is
  // written stays within what one glyph of the format holds.
  GlyphFont font;
  font.capHeight = 10;
  for (std::uint32_t code : {0x41u, 0x42u}) {
    Glyph glyph;
    glyph.code = code;
    glyph.advance = {10, 0};
    ArcSegment ellipse{{1e6, 0}, {1e6, 0}, {0, 0}, 1e6, 5e5, 360};
    glyph.paths.push_back(Path{ellipse.from, std::vector<Segment>(20, ellipse)});
    font.glyphs.push_back({static_cast<char32_t>(code), code, glyph});
  }
  const struct {
    const char* format;
    std::function<std::string(LossReport&)> write;
    std::function<std::size_t(const std::string&)> mostOfAGlyph;  // pieces, vertices or pairs
    std::size_t most;
  } rows[] = {
      {"svg", [&](LossReport& losses) { return testing::SvgFontText(font, "cut", losses); },
       [](const std::string& text) {
         std::size_t most = 0;
         for (std::size_t at = text.find("<glyph "); at != std::string::npos; at = text.find("<glyph ", at + 1)) {
           std::size_t end = text.find("/>", at);
           most = std::max<std::size_t>(most, std::count(text.begin() + at, text.begin() + end, 'L'));
         }
         return most;
       },
       65536},
      {"lff", [&](LossReport& losses) { return testing::LffText(font, losses); },
       [](const std::string& text) {
         // A glyph's vertices: its pieces between semicolons, line by line.
         std::size_t most = 0, glyph = 0;
         std::istringstream lines(text);
         for (std::string line; std::getline(lines, line);) {
           if (line.empty() || line[0] == '[') glyph = 0;
           if (line.empty() || line[0] == '[' || line[0] == '#') continue;
           glyph += std::count(line.begin(), line.end(), ';') + 1;
           most = std::max(most, glyph);
         }
         return most;
       },
       65536},
      {"jhf", [&](LossReport& losses) { return testing::JhfText(font, losses); },
       [](const std::string& text) {
         std::size_t most = 0;
         std::istringstream lines(text);
         for (std::string line; std::getline(lines, line);) most = std::max<std::size_t>(most, std::stoul(line.substr(5, 3)));
         return most;
       },
       999},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.format);
    LossReport losses;
    std::string text = row.write(losses);
    std::vector<std::string> lines = losses.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "glyphs with more strokes than the format holds, cut short: 2"),
              lines.end());
    std::size_t most = row.mostOfAGlyph(text);
    EXPECT_GT(most, 0u);
    EXPECT_LE(most, row.most);
    if (std::string(row.format) == "lff") {
      EXPECT_TRUE(ReadLff(text, "cut")) << "the reader takes it back";
    }
  }
}

}  // namespace
}  // namespace morlune::convert
