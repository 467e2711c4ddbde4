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

// Where the reader takes a file otherwise than as the format is written, so
// does this, and says so in the font's notes: a later glyph for a code
// replaces the earlier, a header's code is its first run of hexadecimal
// digits, a number that does not parse is 0, a vertex of one number is
// skipped, and a glyph whose copies come back to it (which crashes the
// reader) is left out. A number past every double, a code past U+10FFFF,
// copies that grow past every bound, or a file with no glyph refuse the
// font, naming the line or the character.
Result<StrokeFont> ReadLff(std::string_view text, const std::string& name);

}  // namespace morlune::convert
