// The body shared by the convert fuzz targets: any bytes through one
// reader. Where they read as a font, it is brought in on a fixed grid (the
// search for the smallest grid would only repeat the same placement),
// compiled and drawn again: every reader fault, and every stroke the
// placement cannot encode, shows here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/font_import.h"

namespace morlune::fuzzing {

using StrokeFontReader = Result<convert::StrokeFont> (*)(std::string_view text, const std::string& name);

inline int ImportWhatReads(StrokeFontReader read, const std::uint8_t* data, std::size_t size) {
  Result<convert::StrokeFont> font = read(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
  if (!font) {
    if (font.error().message.empty()) std::abort();  // every refusal says why
    return 0;
  }
  // A small font keeps each run short; the glyphs of a larger one are
  // placed alike.
  if (font->glyphs.size() > 64) font->glyphs.resize(64);
  convert::ImportOptions options;
  options.heightUnits = 24;
  auto imported = convert::ImportStrokeFont(*font, options);
  if (imported && imported->compiled.empty()) std::abort();
  return 0;
}

}  // namespace morlune::fuzzing
