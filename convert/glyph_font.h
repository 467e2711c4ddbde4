// A font on its way out: every glyph's drawing as the pen draws it, under
// the character it stands for, with the font's height to scale by.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <morlune/geometry.h>

namespace morlune::convert {

struct CharacterGlyph {
  // The character the code stands for; 0 where the code map gives none
  // (formats keyed by characters leave such a glyph out).
  char32_t character = 0;
  // The font's own code: a byte for a shapes font, which formats keyed by
  // byte codes take as it is.
  std::uint32_t code = 0;
  Glyph glyph;  // font units, y up, origin on the baseline
};

struct GlyphFont {
  std::string name;
  // Font units of a capital's height (the font's height above the
  // baseline), and of the depth below it.
  double capHeight = 1;
  double depth = 0;
  std::vector<CharacterGlyph> glyphs;  // ascending codes, each once
};

}  // namespace morlune::convert
