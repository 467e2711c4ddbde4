// Text set in a style, glyph by glyph: what LayOutText gathers into one
// layout, and what morlune-draw --text writes as it comes, each glyph's
// paths about its own origin.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <morlune/text.h>

#include "drawing/draw_messages.h"

namespace morlune {

struct GlyphInText {
  std::uint32_t code = 0;
  bool fromBigfont = false;
  Point origin;                // where the pen stood, sheared as the paths are
  Point advance;               // what the glyph moved the pen by, in drawing units
  std::span<const Path> paths;  // in drawing units about the origin; valid during the call
};

class GlyphsInText {
 public:
  virtual ~GlyphsInText() = default;
  virtual void Glyph(const GlyphInText& glyph) = 0;
  // A character that no glyph stands for, told once each.
  virtual void Missing(char32_t character) = 0;
};

struct TextEnd {
  Point advance;  // where the next text would start
};

// A glyph's warning as a warning of the text it is drawn in, its message
// the line morlune-draw writes: "shape CODE: " and the glyph's words.
TextWarning GlyphTextWarning(int shape, const GlyphWarning& warning);

// The drawing's warnings handed on as data, each as a TextWarning.
class WarningsAsData : public DrawMessages {
 public:
  virtual void Warned(const TextWarning& warning) = 0;
  void GlyphWarned(int shape, const GlyphWarning& warning) override { Warned(GlyphTextWarning(shape, warning)); }
  void TextWarned(const TextWarning& warning) override { Warned(warning); }
  // Every warning comes as data through the two above.
  void ShapeWarning(int, const std::string&) override {}
  void FontWarning(const std::string&) override {}
};

// Sets the text (UTF-8) in the style. What the fonts lack and what the
// drawing skipped go to messages as morlune-draw words them: first every
// character left out, then each glyph's warnings as it is drawn.
Result<TextEnd> SetText(const TextStyle& style, std::string_view text, const DrawLimits& limits,
                        GlyphsInText& glyphs, DrawMessages& messages);

}  // namespace morlune
