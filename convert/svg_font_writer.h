#pragma once

#include <string>

#include "convert/glyph_font.h"
#include "convert/loss_report.h"

namespace morlune::convert {

std::string WriteSvgFont(const GlyphFont& font, const std::string& baseName, LossReport& losses);

}  // namespace morlune::convert
