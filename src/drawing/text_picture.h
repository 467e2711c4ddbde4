// A line of text as a picture: each glyph's paths, about its own origin,
// placed where the line set it.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "drawing/drawing_font.h"
#include "drawing/geometry.h"
#include "drawing/specimen_writer.h"
#include "platform/text_output.h"

namespace morlune {

class TextPicture {
 public:
  // The glyph's paths in the line's units about its origin; the line's
  // end is where the last advance left the pen.
  void Add(Point origin, Point advance, std::span<const Path> paths);
  // The picture; font gives its title, caption and the scale of its units
  // (the line's units being the font's own).
  void Write(const DrawingFont& font, const PictureOptions& options, TextOutput& out) const;

 private:
  struct Placed {
    Point origin;
    std::string path;
  };
  std::vector<Placed> glyphs_;
  std::vector<double> heights_;  // of each glyph's box
  Box line_{{0, 0}, {0, 0}, false};  // the glyphs and the pen's every stop, from the origin on
};

}  // namespace morlune
