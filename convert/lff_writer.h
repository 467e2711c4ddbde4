#pragma once

#include <string>

#include "convert/glyph_font.h"
#include "convert/loss_report.h"

namespace morlune::convert {

std::string WriteLff(const GlyphFont& font, LossReport& losses);

}  // namespace morlune::convert
