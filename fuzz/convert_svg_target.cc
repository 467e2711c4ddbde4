// Fuzz target: any bytes as an SVG font. Where they read as a font, it is
// brought in on a fixed grid (the search for the smallest grid would only
// repeat the same placement), compiled and drawn again: every reader
// fault, and every stroke the placement cannot encode, shows here.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "convert/font_import.h"
#include "convert/svg_font_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  morlune::Result<morlune::convert::StrokeFont> font = morlune::convert::ReadSvgFont(text, "fuzz");
  if (!font) {
    if (font.error().message.empty()) std::abort();  // every refusal says why
    return 0;
  }
  // A small font keeps each run short; the glyphs of a larger one are
  // placed alike.
  if (font->glyphs.size() > 64) font->glyphs.resize(64);
  morlune::convert::ImportOptions options;
  options.heightUnits = 24;
  auto imported = morlune::convert::ImportStrokeFont(*font, options);
  if (imported && imported->compiled.empty()) std::abort();
  return 0;
}
