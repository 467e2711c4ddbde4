// The sheet is drawn twice: once to measure the glyphs (at most a thousand
// of them, spread over the font), so that every cell has the same size and
// baseline, then to write them. Each cell clips what passes its edges, so
// that one huge glyph does not cover the sheet.
#include "drawing/specimen_writer.h"

#include <algorithm>
#include <vector>

#include "drawing/draw_session.h"
#include "drawing/glyph_bounds.h"
#include "drawing/listing_writer.h"
#include "drawing/number_text.h"
#include "drawing/svg_path_text.h"
#include "drawing/picture_scale.h"
#include "drawing/xml_text.h"
#include "source/char_names.h"

namespace morlune {
namespace {

constexpr int kColumns = 16;
constexpr double kPad = 4;            // around the glyph area
constexpr double kLabelHeight = 14;   // the label row on top of a cell
constexpr double kMinCellWidth = 84;  // room for a code and a short name
constexpr double kCaptionHeight = 60;
constexpr double kMinSheetWidth = 560;
constexpr std::size_t kLabelNameBytes = 24;
constexpr std::size_t kMeasuredGlyphs = 1000;

// Appends " name=" and the number, for attributes.
void Attribute(std::string& text, const char* name, double value) {
  text += ' ';
  text += name;
  text += "=\"";
  AppendDecimal(text, value);
  text += '"';
}

struct CellLayout {
  double width;
  double height;
  double originX;   // of the glyph's origin in the cell
  double baseline;  // y of the baseline in the cell
};

// The cell fits the glyphs as measured and the font's height and depth,
// within bounds around the origin that keep cells of a font with a few wild
// glyphs usable for the others.
CellLayout LayOutCell(Box glyphs, double unitsPerHeight, double depth, double pixelsPerUnit) {
  double r = unitsPerHeight;
  AddToBox(glyphs, Point{0, -depth});
  AddToBox(glyphs, Point{0, r});
  glyphs.min.x = std::max(glyphs.min.x, -2 * r);
  glyphs.max.x = std::min(glyphs.max.x, 6 * r);
  glyphs.min.y = std::max(glyphs.min.y, -2 * r);
  glyphs.max.y = std::min(glyphs.max.y, 3 * r);
  double glyphWidth = BoxWidth(glyphs) * pixelsPerUnit;
  CellLayout cell;
  cell.width = std::max(glyphWidth + 2 * kPad, kMinCellWidth);
  cell.height = kLabelHeight + BoxHeight(glyphs) * pixelsPerUnit + 2 * kPad;
  cell.originX = (cell.width - glyphWidth) / 2 - glyphs.min.x * pixelsPerUnit;
  cell.baseline = kLabelHeight + kPad + glyphs.max.y * pixelsPerUnit;
  return cell;
}

void AppendLabel(std::string& text, const DrawingFont& font, int record) {
  int code = font.Code(record);
  text += CodeHex(code);
  text += ' ';
  std::string_view name = font.Name(record);
  EscapeNameBuffer buffer;
  if (name.empty()) name = LookupCharName(code, false, buffer);
  AppendXmlText(text, name, kLabelNameBytes);
}

}  // namespace

double StrokeWidth(const PictureOptions& options, double unitsPerHeight, double pixelsPerUnit) {
  if (options.penWidth > 0) return options.penPerHeight ? options.penWidth * unitsPerHeight : options.penWidth;
  return 1.25 / pixelsPerUnit;
}

void WriteSpecimen(DrawingFont& font, CodeRange codes, const PictureOptions& options, TextOutput& out,
                   DrawMessages& messages) {
  std::vector<int> records = DrawnRecords(font, codes);
  Box glyphs;
  std::vector<double> heights;
  {
    DrawSession measure(font, nullptr, options.limits);
    BoundsSink bounds;
    std::size_t step = (records.size() + kMeasuredGlyphs - 1) / kMeasuredGlyphs;
    for (std::size_t i = 0; i < records.size(); i += step) {
      bounds.Clear();
      Point advance = measure.Draw(records[i], bounds);
      Box box = bounds.Bounds();
      heights.push_back(BoxHeight(box));
      AddToBox(box, advance);
      AddToBox(glyphs, box);
    }
  }
  PictureScale scale = ChooseScale(font.Height(), heights, options.textHeight);
  const double k = scale.pixelsPerUnit;
  CellLayout cell = LayOutCell(glyphs, scale.unitsPerHeight, font.Depth(), k);
  std::size_t columns = std::clamp<std::size_t>(records.size(), 1, kColumns);
  std::size_t rows = (records.size() + columns - 1) / columns;
  double width = std::max(columns * cell.width, kMinSheetWidth);
  double height = kCaptionHeight + rows * cell.height;

  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"";
  Attribute(text, "width", width);
  Attribute(text, "height", height);
  text += " viewBox=\"0 0 ";
  AppendDecimalPair(text, width, ' ', height);
  std::string title = PictureTitle(font);
  text += "\">\n<title>" + title + "</title>\n<style>\n";
  text += "text{font-family:monospace;font-size:10px;fill:#555}\n.t{font-size:14px;fill:#000}\n";
  text += ".c{fill:none;stroke:#ddd}\n.b{fill:none;stroke:#8bd}\n.m{fill:none;stroke:#d33;stroke-width:1.5}\n";
  text += ".g{fill:none;stroke:#000;stroke-linecap:round;stroke-linejoin:round;stroke-width:";
  AppendDecimal(text, StrokeWidth(options, scale.unitsPerHeight, k));
  text += "}\n</style>\n<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
  text += "<text class=\"t\" x=\"6\" y=\"18\">" + title + "</text>\n<text x=\"6\" y=\"36\">";
  text += PictureCaption(font, options.fileLabel, scale, options.textHeight);
  text += "</text>\n<text x=\"6\" y=\"50\">" + std::to_string(records.size()) +
          " shapes; blue: baseline; red: origin and advance</text>\n<clipPath id=\"k\"><rect";
  Attribute(text, "width", cell.width);
  Attribute(text, "height", cell.height);
  text += "/></clipPath>\n";
  // The grid and the baselines, each one path for the whole sheet.
  std::string grid = "<path class=\"c\" d=\"", baselines = "<path class=\"b\" d=\"";
  for (std::size_t row = 0; row < rows; ++row) {
    double top = kCaptionHeight + row * cell.height;
    grid += row == 0 ? "M 0 " : " M 0 ";
    AppendDecimal(grid, top);
    grid += " H ";
    AppendDecimal(grid, columns * cell.width);
    baselines += row == 0 ? "M 0 " : " M 0 ";
    AppendDecimal(baselines, top + cell.baseline);
    baselines += " H ";
    AppendDecimal(baselines, columns * cell.width);
  }
  for (std::size_t column = 0; column <= columns && rows > 0; ++column) {
    grid += " M ";
    AppendDecimalPair(grid, column * cell.width, ' ', kCaptionHeight);
    grid += " V ";
    AppendDecimal(grid, height);
  }
  text += grid + "\"/>\n" + baselines + "\"/>\n";
  out.Write(text);

  DrawSession session(font, &messages, options.limits);
  SvgPathText path(PathDecimals(k));
  for (std::size_t i = 0; i < records.size(); ++i) {
    path.Clear();
    Point advance = session.Draw(records[i], path);
    text = "<g transform=\"translate(";
    AppendDecimalPair(text, (i % columns) * cell.width, ' ', kCaptionHeight + (i / columns) * cell.height);
    text += ")\" clip-path=\"url(#k)\"><text x=\"3\" y=\"11\">";
    AppendLabel(text, font, records[i]);
    text += "</text>";
    if (!path.Text().empty()) {
      text += "<path class=\"g\" transform=\"matrix(";
      AppendDecimal(text, k);
      text += " 0 0 ";
      AppendDecimal(text, -k);
      text += ' ';
      AppendDecimalPair(text, cell.originX, ' ', cell.baseline);
      text += ")\" d=\"";
      out.Write(text);
      out.Write(path.Text());
      text = "\"/>";
    }
    // The origin and the advance as short upright ticks; an advance far
    // outside the cell is marked at its edge.
    double advanceX = std::clamp(cell.originX + advance.x * k, -8.0, cell.width + 8);
    double advanceY = std::clamp(cell.baseline - advance.y * k, -8.0, cell.height + 8);
    text += "<path class=\"m\" d=\"M ";
    AppendDecimalPair(text, cell.originX, ' ', cell.baseline - 4);
    text += " v 8 M ";
    AppendDecimalPair(text, advanceX, ' ', advanceY - 4);
    text += " v 8\"/></g>\n";
    out.Write(text);
  }
  out.Write("</svg>\n");
}

}  // namespace morlune
