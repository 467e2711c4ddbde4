#pragma once

#include "convert/glyph_font.h"
#include "convert/loss_report.h"
#include "platform/text_output.h"

namespace morlune::convert {

// The header's letter spacing depends on every glyph: the glyphs' lines
// are held as text (not as paths) until it is known.
void WriteLff(GlyphSource& font, LossReport& losses, TextOutput& out);

}  // namespace morlune::convert
