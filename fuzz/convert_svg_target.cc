// Fuzz target: any bytes as an SVG font. Where they read as a font, it is
// brought in on a fixed grid, compiled and drawn again: every reader fault,
// and every stroke the placement cannot encode, shows here.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "convert/svg_font_reader.h"
#include "fuzz/stroke_font_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  morlune::Result<morlune::convert::StrokeFont> font = morlune::convert::ReadSvgFont(text, "fuzz");
  return ImportReadFont(font);
}
