// Every glyph of a font drawn through the library's Font, and checked.
#pragma once

#include <span>
#include <vector>

#include <morlune/geometry.h>

#include "check/finding.h"
#include "check/structure_checks.h"

namespace morlune::check {

// Draws the glyph of each code that drawing reaches, within the limits,
// and appends the findings of GlyphChecker.
void CheckGlyphs(std::span<const unsigned char> font, const FontFacts& facts, const DrawLimits& limits,
                 std::vector<Finding>& findings);

}  // namespace morlune::check
