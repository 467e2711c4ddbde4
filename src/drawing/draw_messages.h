// Where the drawing tells what it skipped: warnings about one shape, and
// warnings about the whole font.
#pragma once

#include <string>

#include <morlune/geometry.h>
#include <morlune/text.h>

namespace morlune {

class DrawMessages {
 public:
  virtual ~DrawMessages() = default;
  virtual void ShapeWarning(int code, const std::string& text) = 0;
  virtual void FontWarning(const std::string& text) = 0;
  // The same warnings with what they concern, for a caller that keeps them
  // as data; told in words through the two above unless overridden.
  virtual void GlyphWarned(int shape, const GlyphWarning& warning) { ShapeWarning(shape, warning.message); }
  virtual void TextWarned(const TextWarning& warning) { FontWarning(warning.message); }
};

}  // namespace morlune
