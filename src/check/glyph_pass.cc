// The glyphs through the library's public Font: the same walk, the same
// drawing and the same bounds as morlune-draw, the warnings as data.
#include "check/glyph_pass.h"

#include <morlune/font.h>

#include "check/glyph_checks.h"
#include "drawing/draw_limits.h"

namespace morlune::check {

void CheckGlyphs(std::span<const unsigned char> bytes, const FontFacts& facts, const DrawLimits& limits,
                 std::vector<Finding>& findings) {
  Result<Font> font = Font::FromBytes(bytes);
  if (!font) return;
  GlyphChecker checker(facts);
  // Each glyph is a run of its own for the library; the check of the whole
  // font keeps the one budget that a drawing of the whole font has, and
  // hands each glyph what is left of it.
  long long left = RunItemBound(bytes.size(), limits);
  for (std::uint16_t code : facts.drawnCodes) {
    if (left <= 0) {
      // Spent to the last item by the glyph before: this one is not drawn.
      Glyph undrawn;
      undrawn.code = code;
      undrawn.warnings.push_back({GlyphWarningKind::kRunSpent, code, 1, ""});
      checker.Check(undrawn, findings);
      break;
    }
    DrawLimits glyphLimits = limits;
    glyphLimits.runItemsPerFontByte = 0;
    glyphLimits.runItemsAtLeast = left;
    Result<Glyph> glyph = font->GlyphOf(code, glyphLimits);
    if (!glyph) continue;
    checker.Check(*glyph, findings);
    left -= glyph->items;
    bool spent = false;
    for (const GlyphWarning& warning : glyph->warnings) spent = spent || warning.kind == GlyphWarningKind::kRunSpent;
    if (spent) break;
  }
  checker.Finish(findings);
}

}  // namespace morlune::check
