// The writer of SVG fonts: glyphs out as one <font> of a document.
#pragma once

#include <string>

#include "convert/glyph_font.h"
#include "convert/loss_report.h"
#include "platform/text_output.h"

namespace morlune::convert {

// Coordinates go into the file in the font's own units with this many
// decimals: a point moves by up to half the last one on each axis, which
// the loss report leaves out (under a five-hundredth of the default
// tolerance even for capitals 0.04 units tall).
inline constexpr int kSvgDecimals = 6;
// The least difference its numbers, in the font's units, show: one step of
// the last decimal.
inline constexpr double kSvgStep = 1e-6;

void WriteSvgFont(GlyphSource& font, const std::string& baseName, LossReport& losses, TextOutput& out);

}  // namespace morlune::convert
