// The sample font of the examples: ten characters drawn as plotter strokes
// on a grid six units high and six wide, with its font-header record, in
// each compiled variant. The committed fonts are compiled from their source
// text (examples/CMakeLists.txt); the tests hold them to these records, laid
// out as morlune-compile lays out a font.
#pragma once

#include <string>

#include "tests/support/font_builder.h"

namespace morlune::examples {

using testing::FontLayout;
using testing::FontVariant;
using testing::Shape;

// Codes 1 and 2 put the pen down and up, 8 moves by (x,y), 9 moves through
// a list of such steps, 10 draws an arc by octants, 12 an arc by bulge, and
// a byte from 0x10 up is a vector: length in the high four bits, direction
// (0 east, 4 north, 8 west, 0xC south, odd ones between) in the low four.
inline std::string SampleFont(FontVariant variant) {
  FontLayout font(variant);
  switch (variant) {
    case FontVariant::kShapes10:
    case FontVariant::kShapes11:
      font.records.push_back(Shape(0, "Sample strokes", {6, 2, 0, 0}));
      break;
    case FontVariant::kBigfont10:
      font.escapeRanges = {{0x81, 0x9F}};
      font.records.push_back(Shape(0, "Sample strokes", {6, 0, 0, 0}));
      break;
    case FontVariant::kUnifont10:
      font.records.push_back(Shape(0, "Sample strokes", {6, 2, 0, 0, 0, 0}));
      break;
  }
  font.records.insert(font.records.end(), {
      Shape(0x20, "", {2, 0x60, 0}),
      Shape(0x30, "", {2, 0x10, 1, 0x20, 0x12, 0x44, 0x16, 0x28, 0x1A, 0x4C, 0x1E, 2, 0x50, 0}),
      Shape(0x31, "", {2, 8, 2, 5, 1, 0x12, 0x6C, 2, 0x18, 1, 0x20, 2, 0x20, 0}),
      Shape(0x32, "", {2, 8, 0, 4, 1, 12, 4, 0, -127, 8, -4, -4, 0x40, 2, 0x20, 0}),
      Shape(0x37, "seven", {2, 8, 0, 6, 1, 0x40, 8, -3, -6, 2, 8, 5, 0, 0}),
      Shape(0x41, "", {1, 9, 2, 6, 2, -6, 0, 0, 2, 8, -3, 3, 1, 0x20, 2, 8, 3, -3, 0}),
      Shape(0x45, "", {2, 0x40, 1, 0x48, 0x64, 0x40, 2, 8, -4, -3, 1, 0x30, 2, 8, 3, -3, 0}),
      Shape(0x4C, "", {2, 0x64, 1, 0x6C, 0x40, 2, 0x20, 0}),
      Shape(0x4F, "", {2, 8, 0, 3, 1, 10, 3, 0x40, 2, 8, 6, -3, 0}),
      Shape(0x54, "T", {2, 0x64, 1, 0x40, 2, 0x28, 1, 0x6C, 2, 0x40, 0}),
  });
  std::string bytes = BuildFont(font);
  // A shapes font's first word holds its lowest code, the font-header
  // record's 0 included.
  if (variant == FontVariant::kShapes10 || variant == FontVariant::kShapes11) {
    std::size_t firstWord = testing::Signature(variant).size();
    bytes[firstWord] = bytes[firstWord + 1] = 0;
  }
  return bytes;
}

struct SampleFile {
  FontVariant variant;
  const char* stem;  // the compiled font is stem.kqx, its source stem.kqs
};

inline constexpr SampleFile kSampleFiles[] = {
    {FontVariant::kShapes10, "strokes_shapes10"},
    {FontVariant::kShapes11, "strokes_shapes11"},
    {FontVariant::kBigfont10, "strokes_bigfont"},
    {FontVariant::kUnifont10, "strokes_unifont"},
};

}  // namespace morlune::examples
