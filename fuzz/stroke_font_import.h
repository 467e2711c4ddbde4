// What the fuzz targets of the interchange readers ask of what a reader
// made of any bytes: a refusal that says why, or a font that is brought in
// on a fixed grid (the search for the smallest grid would only repeat the
// same placement) and compiled, so that every stroke the placement cannot
// encode shows here.
#pragma once

#include <cstdlib>

#include "convert/font_import.h"

inline int ImportReadFont(morlune::Result<morlune::convert::StrokeFont>& font) {
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
