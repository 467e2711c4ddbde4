// Where the drawing tells what it skipped: warnings about one shape, and
// warnings about the whole font.
#pragma once

#include <string>

namespace morlune {

class DrawMessages {
 public:
  virtual ~DrawMessages() = default;
  virtual void ShapeWarning(int code, const std::string& text) = 0;
  virtual void FontWarning(const std::string& text) = 0;
};

}  // namespace morlune
