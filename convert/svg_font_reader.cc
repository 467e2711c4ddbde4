#include "convert/svg_font_reader.h"

namespace morlune::convert {

Result<StrokeFont> ReadSvgFont(std::string_view, const std::string&) {
  return Error{ErrorKind::kNotAFont, "SVG fonts cannot be read yet", {}};
}

}  // namespace morlune::convert
