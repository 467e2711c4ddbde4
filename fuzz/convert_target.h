// The body shared by the convert fuzz targets: any bytes through one
// reader. Where they read as a font, it is brought in on a fixed grid (the
// search for the smallest grid would only repeat the same placement),
// compiled and drawn again: every reader fault, and every stroke the
// placement cannot encode, shows here.
#pragma once

#include <cstddef>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/import/font_import.h"

namespace morlune::fuzzing {

// How long a font's strokes are on a grid of the given units a capital: the
// import measures what it placed at points an eighth of a unit apart all
// along them, so this is what a run of the import costs. An arc's length
// over its chord grows without bound with its bulge: a bulge of 2,000 turns
// a chord of one unit into a circle some 3,000 units round.
// The length of an arc of the given bulge over its chord: half its angle
// over the sine of that.
inline double ArcOverChord(double bulge) {
  double half = 2 * std::atan(std::fabs(bulge));
  return half < 1e-9 ? 1 : half / std::sin(half);
}

inline double StrokeLengthOnGrid(const convert::StrokeFont& font, double unitsPerCapital) {
  double length = 0;
  for (const convert::StrokeGlyph& glyph : font.glyphs) {
    for (const convert::Stroke& stroke : glyph.strokes) {
      for (std::size_t k = 1; k < stroke.vertices.size(); ++k) {
        const convert::StrokeVertex &a = stroke.vertices[k - 1], &b = stroke.vertices[k];
        length += std::hypot(b.x - a.x, b.y - a.y) * ArcOverChord(b.bulge);
      }
    }
  }
  return length * unitsPerCapital / font.capHeight;
}

// Fonts whose strokes pass this many units of the import's grid are read
// but not brought in: the import's measure of them takes longer than a run
// should (a single wide arc can take a second under the sanitizers).
inline constexpr double kMostLengthOnGrid = 300;

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
  if (!(StrokeLengthOnGrid(*font, options.heightUnits) <= kMostLengthOnGrid)) return 0;
  auto imported = convert::ImportStrokeFont(*font, options);
  if (imported && imported->compiled.empty()) std::abort();
  return 0;
}

}  // namespace morlune::fuzzing
