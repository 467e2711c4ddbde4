// The specimen sheet: every drawn record of a font in a grid of cells, each
// labelled with its code and name, its baseline, origin and advance marked.
#pragma once

#include <string>

#include "drawing/code_range.h"
#include "drawing/draw_limits.h"
#include "drawing/draw_messages.h"
#include "drawing/drawing_font.h"
#include "platform/text_output.h"

namespace morlune {

struct PictureOptions {
  double textHeight = 32;  // SVG units per font height
  std::string fileLabel;   // how the caption names the file
  DrawLimits limits;       // the tools draw by the defaults; fuzzing by small ones
  // The pen's diameter in the font's units, or with penPerHeight a share
  // of the font's height; 0: a hairline of 1.25 pixels.
  double penWidth = 0;
  bool penPerHeight = false;
};

// The strokes' width in the font's units: the pen asked for, or the
// hairline at pixelsPerUnit.
double StrokeWidth(const PictureOptions& options, double unitsPerHeight, double pixelsPerUnit);

void WriteSpecimen(DrawingFont& font, CodeRange codes, const PictureOptions& options, TextOutput& out,
                   DrawMessages& messages);

}  // namespace morlune
