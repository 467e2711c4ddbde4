// Text set in a style, as drafting programs set it: glyphs of a font (and
// of a bigfont for the two-byte codes) scaled to a height, stretched by a
// width factor and sheared by an oblique angle.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <morlune/export.h>
#include <morlune/font.h>
#include <morlune/geometry.h>
#include <morlune/result.h>

namespace morlune {

struct TextStyle {
  Font font;                    // a shapes font, a unifont or a bigfont
  std::optional<Font> bigfont;  // two-byte codes of a shapes font or unifont
  double height = 1;            // drawing units per font height above the baseline
  double widthFactor = 1;       // x is multiplied by it
  double obliqueDegrees = 0;    // shear: x += y * tan(oblique)
  // The code page of byte-coded fonts (iconv's names; a number or CPnnn on
  // Windows). Empty: a shapes font takes the text as Latin-1, a bigfont its
  // bytes as they are.
  std::string encoding;
};

struct PlacedGlyph {
  std::uint32_t code = 0;
  bool fromBigfont = false;  // drawn from the style's bigfont
  Point origin;              // in drawing units
};

// What setting a text skipped or where it stopped.
enum class TextWarningKind : std::uint8_t {
  kGlyph,          // a glyph's drawing skipped something or stopped: glyph says what
  kNotWritable,    // a character past the fonts' codes or outside the code page: left out
  kNoSuchShape,    // no shape of the font has the code: its character is left out
  kLinePastBound,  // the line passes 2^31 units: the characters after the shape are left out
};

struct TextWarning {
  TextWarningKind kind = TextWarningKind::kGlyph;
  // The shape concerned: the one drawn (kGlyph), the one lacked
  // (kNoSuchShape), the last one set (kLinePastBound); 0 for kNotWritable.
  std::uint32_t code = 0;
  char32_t character = 0;  // kNotWritable: the character left out
  GlyphWarning glyph;      // kGlyph: the drawing's own warning, its record and count
  std::string message;     // the line morlune-draw writes for it
};

struct TextLayout {
  std::vector<PlacedGlyph> glyphs;  // in text order
  std::vector<Path> paths;          // in drawing units
  Point advance;                    // where the next text would start
  Box bounds;                       // of the drawn paths
  std::u32string missing;           // characters the fonts lack or the code page cannot write, once each
  std::vector<TextWarning> warnings;  // in the order met: characters left out first, then glyph by glyph
};

// Whether the system knows the code page by that name (as TextStyle's
// encoding names it).
MORLUNE_API bool KnowsEncoding(std::string_view name);

// Whether LayOutText takes the text: UTF-8 (no overlong form, surrogate or
// value past U+10FFFF) without U+0000.
MORLUNE_API bool IsUtf8Text(std::string_view text);

// Sets text (UTF-8) in the style.
MORLUNE_API Result<TextLayout> LayOutText(const TextStyle& style, std::string_view text,
                                          const DrawLimits& limits = {});

}  // namespace morlune
