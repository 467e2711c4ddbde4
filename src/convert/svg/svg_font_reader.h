// An SVG font read as a stroke font: the first <font> of the document, its
// <font-face>'s em, each <glyph> of one character with its advance (the
// glyph's, else the font's) and its path data in y-up glyph space.
#pragma once

#include <string>
#include <string_view>

#include <morlune/result.h>

#include "convert/stroke_font.h"

namespace morlune::convert {

// The capital height is measured on the font's H (else E, A, then any
// capital): SVG fonts state theirs unreliably. Malformed XML or path data
// refuses the font with the place named.
Result<StrokeFont> ReadSvgFont(std::string_view text, const std::string& name);

}  // namespace morlune::convert
