// The writer of single-line fonts.
#pragma once

#include "convert/glyph_font.h"
#include "convert/loss_report.h"
#include "platform/held_text.h"
#include "platform/text_output.h"

namespace morlune::convert {

// The header's letter spacing depends on every glyph: the glyphs' text
// waits as the holding says, drawn once, until it is known (drawn a second
// time only where the holding could not keep it).
void WriteLff(GlyphSource& font, LossReport& losses, TextOutput& out, const TextHolding& holding = {});

}  // namespace morlune::convert
