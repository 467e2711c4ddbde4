// The line is drawn in the font's units inside a view box, y turned up by
// one group; its pixel size is the text height per font height, kept below
// a size that viewers can open.
#include "drawing/text_picture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "drawing/glyph_bounds.h"
#include "drawing/number_text.h"
#include "drawing/svg_path_text.h"
#include "drawing/picture_scale.h"

namespace morlune {
namespace {

constexpr double kLargestSide = 100000;        // pixels
constexpr double kLargestCoordinate = 1073741824.0;  // 2^30: the view box stays within the writers' numbers

void Number(std::string& text, double value, char after = ' ') {
  AppendDecimal(text, value);
  text += after;
}

}  // namespace

void TextPicture::Add(Point origin, Point advance, std::span<const Path> paths) {
  // The scale is known only once the line is measured: the path data keep
  // the listing's decimals.
  SvgPathText path(kListingDecimals);
  path.Write(paths);
  Box box = BoundsOf(paths);
  heights_.push_back(BoxHeight(box));
  if (!box.empty) {
    AddToBox(line_, Box{{box.min.x + origin.x, box.min.y + origin.y}, {box.max.x + origin.x, box.max.y + origin.y}, false});
  }
  if (!path.Text().empty()) glyphs_.push_back({origin, std::string(path.Text())});
  AddToBox(line_, Point{origin.x + advance.x, origin.y + advance.y});
}

void TextPicture::Write(const DrawingFont& font, const PictureOptions& options, TextOutput& out) const {
  std::vector<double> heights = heights_;
  Box line = line_;
  PictureScale scale = ChooseScale(font.Height(), heights, options.textHeight);
  AddToBox(line, Point{0, scale.unitsPerHeight});
  line.min.x = std::max(line.min.x, -kLargestCoordinate);
  line.min.y = std::max(line.min.y, -kLargestCoordinate);
  line.max.x = std::min(line.max.x, kLargestCoordinate);
  line.max.y = std::min(line.max.y, kLargestCoordinate);
  double pad = scale.unitsPerHeight / 4;
  double viewX = line.min.x - pad, viewY = -(line.max.y + pad);
  double viewWidth = BoxWidth(line) + 2 * pad, viewHeight = BoxHeight(line) + 2 * pad;
  double k = std::min(scale.pixelsPerUnit, kLargestSide / std::max(viewWidth, viewHeight));

  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"";
  Number(text, viewWidth * k, '"');
  text += " height=\"";
  Number(text, viewHeight * k, '"');
  text += " viewBox=\"";
  Number(text, viewX);
  Number(text, viewY);
  Number(text, viewWidth);
  Number(text, viewHeight, '"');
  text += ">\n<title>" + PictureTitle(font) + "</title>\n<desc>";
  text += PictureCaption(font, options.fileLabel, scale, options.textHeight);
  text += "</desc>\n<style>\n.g{fill:none;stroke:#000;stroke-linecap:round;stroke-linejoin:round;stroke-width:";
  Number(text, StrokeWidth(options, scale.unitsPerHeight, k), '}');
  text += "\n.b{fill:none;stroke:#8bd;stroke-width:";
  Number(text, 1 / k, '}');
  text += "\n</style>\n<rect x=\"";
  Number(text, viewX, '"');
  text += " y=\"";
  Number(text, viewY, '"');
  text += " width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n<path class=\"b\" d=\"M ";
  Number(text, viewX);
  text += "0 H ";
  Number(text, viewX + viewWidth, '"');
  text += "/>\n<g transform=\"scale(1 -1)\">\n";
  out.Write(text);
  for (const Placed& glyph : glyphs_) {
    text = "<path class=\"g\" transform=\"translate(";
    Number(text, glyph.origin.x);
    Number(text, glyph.origin.y, ')');
    text += "\" d=\"";
    out.Write(text);
    out.Write(glyph.path);
    out.Write("\"/>\n");
  }
  out.Write("</g>\n</svg>\n");
}

}  // namespace morlune
