// A font with a height is drawn at text height per height; a font without
// one at text height per the median height of its glyphs, so that one odd
// glyph does not shrink the rest.
#include "drawing/picture_scale.h"

#include <algorithm>

#include "drawing/number_text.h"
#include "drawing/xml_text.h"
#include "fontfile/signature.h"

namespace morlune {
namespace {
// Keeps pictures of glyphs drawn with extreme scale factors within the
// numbers the writers handle.
constexpr double kSmallestUnitsPerHeight = 1.0 / 64;
constexpr double kLargestUnitsPerHeight = 16777216.0;  // 2^24
}  // namespace

PictureScale ChooseScale(int fontHeight, std::vector<double>& glyphHeights, double textHeight) {
  PictureScale scale;
  if (fontHeight > 0) {
    scale.unitsPerHeight = fontHeight;
  } else {
    scale.fromGlyphs = true;
    std::erase_if(glyphHeights, [](double h) { return !(h > 0); });
    if (!glyphHeights.empty()) {
      auto middle = glyphHeights.begin() + static_cast<std::ptrdiff_t>(glyphHeights.size() / 2);
      std::nth_element(glyphHeights.begin(), middle, glyphHeights.end());
      scale.unitsPerHeight = *middle;
    }
  }
  scale.unitsPerHeight = std::clamp(scale.unitsPerHeight, kSmallestUnitsPerHeight, kLargestUnitsPerHeight);
  scale.pixelsPerUnit = textHeight / scale.unitsPerHeight;
  return scale;
}

int PathDecimals(double pixelsPerUnit) {
  int decimals = 0;
  for (double step = 1; step * pixelsPerUnit > 1.0 / 50 && decimals < kListingDecimals; step /= 10) ++decimals;
  return decimals;
}


std::string PictureTitle(const DrawingFont& font) {
  int header = font.FindRecord(0);
  if (header < 0) return "(a font without a font-header record)";
  std::string title;
  AppendXmlText(title, font.Name(header), 200);
  return title;
}

std::string PictureCaption(const DrawingFont& font, const std::string& fileLabel, const PictureScale& scale,
                           double textHeight) {
  std::string caption;
  AppendXmlText(caption, fileLabel, 200);
  caption += ": ";
  caption += SignatureVariantName(font.Kind());
  std::vector<int> values = font.HeaderValues();
  if (!values.empty()) {
    caption += ", font header";
    for (int value : values) caption += ' ' + std::to_string(value);
  }
  caption += "; ";
  AppendDecimal(caption, textHeight);
  caption += " px per ";
  AppendDecimal(caption, scale.unitsPerHeight);
  caption += scale.fromGlyphs ? " font units (the font's height is 0: the median height of its glyphs)"
                              : " font units (the font's height)";
  return caption;
}

}  // namespace morlune
