// How many font units a picture gives one text height, and the words that
// say so in the picture.
#pragma once

#include <string>
#include <vector>

#include "drawing/drawing_font.h"

namespace morlune {

struct PictureScale {
  double unitsPerHeight = 1;  // the font's height, or the median height of its glyphs where that is 0
  double pixelsPerUnit = 1;   // text height / unitsPerHeight
  bool fromGlyphs = false;    // the font's height is 0
};

// glyphHeights: the heights of the drawn glyphs' boxes (reordered).
PictureScale ChooseScale(int fontHeight, std::vector<double>& glyphHeights, double textHeight);

// The decimals that a picture's path data need at this scale: enough that
// the last one stands for at most 1/50 pixel.
int PathDecimals(double pixelsPerUnit);

// The picture's caption: the file, the variant, the font-header values,
// and the scale taken.
std::string PictureCaption(const DrawingFont& font, const std::string& fileLabel, const PictureScale& scale,
                           double textHeight);

// The font's name as the picture's title: the first font-header record's.
std::string PictureTitle(const DrawingFont& font);

}  // namespace morlune
