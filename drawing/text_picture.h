// A line of text set in the font: each character drawn where the advance of
// the one before it left the pen.
#pragma once

#include <vector>

#include "drawing/draw_messages.h"
#include "drawing/drawing_font.h"
#include "drawing/specimen_writer.h"
#include "platform/text_output.h"

namespace morlune {

// The records of the line's characters, in order.
void WriteTextPicture(DrawingFont& font, const std::vector<int>& records, const PictureOptions& options,
                      TextOutput& out, DrawMessages& messages);

}  // namespace morlune
