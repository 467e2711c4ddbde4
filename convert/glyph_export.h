// A compiled font's shapes as glyphs of characters, ready for a format
// writer: codes through the code map, the capital height taken from the
// font's header (or, where it has none, from its capitals).
#pragma once

#include <string>

#include "convert/code_map.h"
#include "convert/glyph_font.h"
#include "convert/loss_report.h"
#include "convert/shape_font_input.h"

namespace morlune::convert {

// Items for vertical text, which the drawing never draws, are a loss. name: the font's name in
// the output, where its own header gives none.
GlyphFont GlyphsOfShapes(const ShapeFont& shapes, const CodeMap& codes, const std::string& name, LossReport& losses);

// The glyphs that stand for a character, in the order of the characters,
// each character once (the glyph of the lowest code); the others are a
// loss.
std::vector<const CharacterGlyph*> ByCharacter(const GlyphFont& font, LossReport& losses);

// The highest point of a glyph's paths, arcs included; false when it
// draws nothing.
bool GlyphTop(const Glyph& glyph, double& top);

}  // namespace morlune::convert
