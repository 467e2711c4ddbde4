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
};

void WriteSpecimen(DrawingFont& font, CodeRange codes, const PictureOptions& options, TextOutput& out,
                   DrawMessages& messages);

}  // namespace morlune
