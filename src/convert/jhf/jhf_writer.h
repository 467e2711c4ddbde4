// Glyphs to Hershey glyph lines: integers on a grid whose capitals are 21
// units, y down with the baseline at +9, one line per byte code from 32 up
// in line order, every gap filled with a glyph of no width.
#pragma once

#include "convert/glyph_font.h"
#include "convert/loss_report.h"
#include "platform/text_output.h"

namespace morlune::convert {

// The font's own codes from 32 to 255 (a shapes font's bytes, a unifont's
// code points), the line of code c being c - 32; others are left out (a
// loss).
void WriteJhf(GlyphSource& font, LossReport& losses, TextOutput& out);

}  // namespace morlune::convert
