// The listing: one line per drawn character with its code, its advance and
// its path data, for tests and other programs.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "drawing/code_range.h"
#include "drawing/draw_limits.h"
#include "drawing/draw_messages.h"
#include "drawing/drawing_font.h"
#include "drawing/path_text.h"
#include "platform/text_output.h"

namespace morlune {

// Every record of the walk but the font-header records, in the walk's
// order, whose code is in the range.
void WriteFontListing(DrawingFont& font, CodeRange codes, TextOutput& out, DrawMessages& messages,
                      const DrawLimits& limits = {});

// Lines of glyphs drawn elsewhere (a line of text), each about its own
// origin.
class ListingLines {
 public:
  void Write(int code, Point advance, std::span<const Path> paths, TextOutput& out);

 private:
  PathText path_;
  std::string line_;
};

// The records of the walk that a specimen or a listing draws.
std::vector<int> DrawnRecords(const DrawingFont& font, CodeRange codes);

}  // namespace morlune
