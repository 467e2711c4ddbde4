// A single-line font read as its reader takes it: header lines of
// "# Key: value", glyphs "[hex] c" each with its polylines up to the first
// empty line, bulges on the vertex that ends their piece, "C<hex>" lines
// copying another glyph in place. The advance is the glyph's rightmost
// point plus the letter spacing; a space advances by the word spacing.
#pragma once

#include <string>
#include <string_view>

#include <morlune/result.h>

#include "convert/stroke_font.h"

namespace morlune::convert {

// A number that is not one, a reference cycle or a glyph that copies grow
// past every bound refuse the font, naming the line or the character
// (where the reader itself would read junk as 0 or crash).
Result<StrokeFont> ReadLff(std::string_view text, const std::string& name);

}  // namespace morlune::convert
