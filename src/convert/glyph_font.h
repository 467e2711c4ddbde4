// A font on its way out: every code's glyph as the pen draws it, under the
// character it stands for, with the font's height to scale by. The writers
// take the glyphs one at a time, so that a font of any size goes out
// without its drawing held whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <morlune/geometry.h>

#include "convert/loss_report.h"
#include "drawing/geometry.h"

namespace morlune::convert {

struct GlyphCode {
  // The character the code stands for; 0 where the code map gives none
  // (formats keyed by characters leave such a glyph out).
  char32_t character = 0;
  // The font's own code: a byte for a shapes font, which formats keyed by
  // byte codes take as it is.
  std::uint32_t code = 0;
};

// A glyph as the pen draws it: font units, y up, origin on the baseline.
struct GlyphView {
  Point advance;
  std::span<const Path> paths;
};

class GlyphSource {
 public:
  virtual ~GlyphSource() = default;

  // Every glyph's code, ascending codes, each once.
  virtual std::size_t Count() const = 0;
  virtual GlyphCode CodeAt(std::size_t k) const = 0;
  // The k-th glyph, valid until the next call; what its drawing could not
  // give goes to losses.
  virtual GlyphView Draw(std::size_t k, LossReport& losses) = 0;
  // The same glyph's segments to the sink, one after another as the pen
  // draws them, so that a writer needs no paths gathered first; returns
  // its advance.
  virtual Point DrawInto(std::size_t k, GeometrySink& sink, LossReport& losses) {
    GlyphView glyph = Draw(k, losses);
    ReplayPaths(glyph.paths, sink);
    return glyph.advance;
  }

  std::string name;
  // Font units of a capital's height (the font's height above the
  // baseline), and of the depth below it.
  double capHeight = 1;
  double depth = 0;
};

struct CharacterGlyph : GlyphCode {
  CharacterGlyph() = default;
  CharacterGlyph(char32_t c, std::uint32_t k, Glyph g) : GlyphCode{c, k}, glyph(std::move(g)) {}
  Glyph glyph;
};

// A font whose glyphs are all at hand.
struct GlyphFont : GlyphSource {
  std::size_t Count() const override { return glyphs.size(); }
  GlyphCode CodeAt(std::size_t k) const override { return glyphs[k]; }
  GlyphView Draw(std::size_t k, LossReport&) override { return {glyphs[k].glyph.advance, glyphs[k].glyph.paths}; }

  std::vector<CharacterGlyph> glyphs;  // ascending codes, each once
};

}  // namespace morlune::convert
