#pragma once

#include <string>

#include "convert/glyph_font.h"
#include "convert/loss_report.h"
#include "platform/text_output.h"

namespace morlune::convert {

void WriteSvgFont(GlyphSource& font, const std::string& baseName, LossReport& losses, TextOutput& out);

}  // namespace morlune::convert
