// Fuzz target: any bytes as an SVG font, brought in where they read as a font.
#include "convert/svg/svg_font_reader.h"
#include "fuzz/convert_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return morlune::fuzzing::ImportWhatReads(morlune::convert::ReadSvgFont, data, size);
}
