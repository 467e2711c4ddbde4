// Hershey glyph lines read as a reader of the format takes them: line i is
// byte code 32 + i, coordinates one character each around 'R', y down
// with the baseline at +9, the glyph's width its right margin less its
// left.
#pragma once

#include <string>
#include <string_view>

#include <morlune/result.h>

#include "convert/stroke_font.h"

namespace morlune::convert {

// A record wrapped over several lines (as the original distribution has
// them) is joined again: a line shorter than its pair count asks for takes
// the next. A line of no width that draws is left out, as the reader skips
// it, and told in the font's notes with its line. A line with a coordinate out of the range, a count that does
// not fit or a left margin past the right one refuses the font, naming the
// line.
Result<StrokeFont> ReadJhf(std::string_view text, const std::string& name);

}  // namespace morlune::convert
