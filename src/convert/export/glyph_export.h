// A compiled font's shapes as glyphs of characters, ready for a format
// writer: codes through the code map, the capital height taken from the
// font's header (or, where it has none, from its capitals).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <morlune/font.h>

#include "convert/code_map.h"
#include "convert/glyph_font.h"
#include "convert/loss_report.h"
#include "convert/shape_bridge.h"

namespace morlune::convert {

// A compiled font's glyphs drawn one at a time, as a writer asks for them.
// Items for vertical text, which the drawing never draws, and a drawing
// that stopped are losses of the glyph drawn. name: the font's name in the
// output, where its own header gives none.
class ShapeGlyphs : public GlyphSource {
 public:
  ShapeGlyphs(Font font, const CodeMap& codes, const std::string& fallbackName);

  std::size_t Count() const override { return codes_.size(); }
  GlyphCode CodeAt(std::size_t k) const override { return codes_[k]; }
  GlyphView Draw(std::size_t k, LossReport& losses) override;
  Point DrawInto(std::size_t k, GeometrySink& sink, LossReport& losses) override;

 private:
  // What the record's drawing and its items for vertical text lose.
  void TellLosses(std::uint32_t code, bool cut, LossReport& losses) const;

  Font font_;
  std::vector<GlyphCode> codes_;
  bridge::GlyphDrawer drawer_;
};

// The glyphs that stand for a character, by index, in the order of the
// characters, each character once (the glyph of the lowest code); the
// others are a loss.
std::vector<std::size_t> ByCharacter(const GlyphSource& font, LossReport& losses);

// The highest point of a glyph's paths, arcs included; false when it
// draws nothing.
bool GlyphTop(const GlyphView& glyph, double& top);

}  // namespace morlune::convert
