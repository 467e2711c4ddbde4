// The compiled font as the pen draws it and source text compiled, handed
// over in plain numbers, so that the converter's own files see only the
// library's public types.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morlune::convert::bridge {

struct DrawnPiece {
  bool arc = false;
  double fromX = 0, fromY = 0, toX = 0, toY = 0;
  double centreX = 0, centreY = 0, axisX = 0, axisY = 0, sweep = 0;
};

struct DrawnGlyph {
  std::uint32_t code = 0;
  double advanceX = 0, advanceY = 0;
  std::vector<DrawnPiece> pieces;  // in the order drawn
  long long verticalItems = 0;     // code 14 items of the glyph's own record
  bool warned = false;             // the drawing skipped something or stopped
};

struct DrawnFont {
  bool recognised = false;
  int variant = 0;  // 0 shapes 1.0, 1 shapes 1.1, 2 bigfont, 3 unifont
  int height = 0;
  int depth = 0;
  std::string name;  // of the font-header record
  std::vector<DrawnGlyph> glyphs;  // the walk's first record of each code but 0
};

DrawnFont DrawCompiledFont(const unsigned char* data, std::size_t size);

// Source text to a compiled font; variant -1 for the text's own. False
// with the problems as "LINE:COLUMN: error: TEXT" lines.
bool CompileSourceText(std::string_view text, int variant, std::string& font, std::vector<std::string>& problems);

}  // namespace morlune::convert::bridge
