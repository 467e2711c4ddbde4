// What the format tests share: fonts of our own read from the test
// folder, glyphs built by hand, and geometry held against geometry.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <morlune/geometry.h>

#include "convert/glyph_font.h"
#include "convert/loss_report.h"
#include "convert/export/shape_font_input.h"
#include "convert/stroke_font.h"

namespace morlune::convert::testing {

inline const std::string kSourceDir = MORLUNE_SOURCE_DIR "/";

// The compiled sample fonts and the test fonts of our own, by path.
std::vector<std::string> ExportTestFonts();

// Its glyphs, codes through the default map (shapes, unifont) or CP932
// (bigfont).
GlyphFont GlyphsOfFile(const std::string& path, LossReport& losses);

// A writer's whole output as a string.
std::string JhfText(GlyphSource& font, LossReport& losses);
std::string LffText(GlyphSource& font, LossReport& losses);
std::string SvgFontText(GlyphSource& font, const std::string& baseName, LossReport& losses);

Glyph LinesGlyph(std::uint32_t code, Point advance, std::vector<std::vector<Point>> polylines);
// A glyph that draws one arc.
Glyph ArcGlyph(std::uint32_t code, Point advance, const ArcSegment& arc);

// Strokes as x, y and bulge per vertex, each to nine decimals, so that a
// bulge of tan(pi/4) compares equal to 1.
using VertexRows = std::vector<std::vector<std::array<double, 3>>>;
VertexRows Vertices(const std::vector<Stroke>& strokes);

// How far the farthest point of either set of polylines lies from the
// other (sampled finely).
double Distance(const std::vector<std::vector<Point>>& a, const std::vector<std::vector<Point>>& b);

// The glyph's drawing as polylines, moved by (dx, dy) and scaled.
std::vector<std::vector<Point>> Polylines(const Glyph& glyph, double scale, double dx, double dy);

}  // namespace morlune::convert::testing
