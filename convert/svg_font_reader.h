#pragma once

#include <string>
#include <string_view>

#include <morlune/result.h>

#include "convert/stroke_font.h"

namespace morlune::convert {

Result<StrokeFont> ReadSvgFont(std::string_view text, const std::string& name);

}  // namespace morlune::convert
