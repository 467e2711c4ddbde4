#include "convert/svg_font_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "convert/glyph_export.h"
#include "convert/number_format.h"

namespace morlune::convert {
namespace {

// The reader's own stroke fonts draw a capital 662 units tall in an em of
// 1000: an em of capHeight * 1000 / 662 makes text set in this font at a
// size as tall as text in those at the same size.
constexpr double kReaderCapitalPerEm = 0.662;
constexpr int kDecimals = 6;

std::string Number(double value) { return DecimalText(value, kDecimals); }

// Characters an XML document may hold.
bool XmlCharacter(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

std::string UnicodeAttribute(char32_t c) {
  if (c > 0x20 && c < 0x7F && c != '"' && c != '&' && c != '<' && c != '>' && c != '\'') {
    return std::string(1, static_cast<char>(c));
  }
  char text[16];
  std::snprintf(text, sizeof text, "&#x%X;", static_cast<unsigned>(c));
  return text;
}

std::string XmlText(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
    }
  }
  return out;
}

void WritePathData(const GlyphView& glyph, TextOutput& out) {
  bool first = true;
  auto point = [&out](Point p) {
    WriteDecimal(out, p.x);
    out.Put(' ');
    WriteDecimal(out, p.y);
  };
  for (const Path& path : glyph.paths) {
    out.Write(first ? "M " : " M ");
    first = false;
    point(path.start);
    for (const Segment& segment : path.segments) {
      if (const auto* line = std::get_if<LineSegment>(&segment)) {
        out.Write(" L ");
        point(line->to);
        continue;
      }
      const auto& arc = std::get<ArcSegment>(segment);
      // The sweep flag is read in the glyph's own y-up space: 1 turns
      // counterclockwise there. A frame mirroring one axis turns the arc.
      bool counterclockwise = (arc.sweep > 0) != ((arc.axisX < 0) != (arc.axisY < 0));
      bool large = std::fabs(arc.sweep) > 180;
      out.Write(" A ");
      point({std::fabs(arc.axisX), std::fabs(arc.axisY)});
      out.Write(large ? " 0 1 " : " 0 0 ");
      out.Write(counterclockwise ? "1 " : "0 ");
      point(arc.to);
    }
  }
}

}  // namespace

void WriteSvgFont(GlyphSource& font, const std::string& baseName, LossReport& losses, TextOutput& out) {
  double em = font.capHeight / kReaderCapitalPerEm;
  std::vector<std::size_t> glyphs = ByCharacter(font, losses);
  double defaultAdvance = font.capHeight;
  for (std::size_t k : glyphs) {
    if (font.CodeAt(k).character != U' ') continue;
    // Its losses are told where it is written.
    LossReport told;
    defaultAdvance = font.Draw(k, told).advance.x;
  }
  std::string name = XmlText(baseName);
  std::string head;
  head += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  head += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\">\n<defs>\n";
  head += "<font id=\"" + name + "\" horiz-adv-x=\"" + Number(defaultAdvance) + "\">\n";
  head += "<font-face font-family=\"" + name + "\" units-per-em=\"" + Number(em) + "\" ascent=\"" +
          Number(font.capHeight) + "\" descent=\"" + Number(-font.depth) + "\" cap-height=\"" +
          Number(font.capHeight) + "\"/>\n";
  // Unknown characters show as an open box of a capital's height.
  double box = font.capHeight * 0.6;
  head += "<missing-glyph horiz-adv-x=\"" + Number(box + font.capHeight * 0.2) + "\" d=\"M 0 0 L " + Number(box) +
          " 0 L " + Number(box) + " " + Number(font.capHeight) + " L 0 " + Number(font.capHeight) + " Z\"/>\n";
  out.Write(head);
  for (std::size_t k : glyphs) {
    char32_t character = font.CodeAt(k).character;
    if (!XmlCharacter(character) || character < 0x20) {
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    GlyphView glyph = font.Draw(k, losses);
    if (glyph.advance.y != 0) losses.Add(LossKind::kAdvancesMoved, glyph.advance.y);
    out.Write("<glyph unicode=\"");
    out.Write(UnicodeAttribute(character));
    out.Write("\" horiz-adv-x=\"");
    WriteDecimal(out, glyph.advance.x);
    out.Put('"');
    if (!glyph.paths.empty()) {
      out.Write(" d=\"");
      WritePathData(glyph, out);
      out.Put('"');
    }
    out.Write("/>\n");
  }
  out.Write("</font>\n</defs>\n</svg>\n");
}

}  // namespace morlune::convert
