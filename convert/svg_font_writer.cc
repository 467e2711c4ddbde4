#include "convert/svg_font_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "convert/arc_math.h"
#include "convert/glyph_export.h"
#include "convert/number_format.h"

namespace morlune::convert {
namespace {

// The reader's own stroke fonts draw a capital 662 units tall in an em of
// 1000: an em of capHeight * 1000 / 662 makes text set in this font at a
// size as tall as text in those at the same size.
constexpr double kReaderCapitalPerEm = 0.662;
constexpr int kDecimals = 6;
// Arcs the format cannot hold stray at most this share of a capital from
// the straight pieces written for them.
constexpr double kFlatnessPerCapital = 1e-3;

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

// An SVG arc with a zero radius is a straight line to its end, and one
// that ends where it starts is not drawn at all: a circle squashed flat by
// its frame, or one that comes back to its start, must go as the straight
// pieces it draws.
bool SvgDrawsArc(const ArcSegment& arc) {
  return Number(std::fabs(arc.axisX)) != "0" && Number(std::fabs(arc.axisY)) != "0" &&
         (Number(arc.from.x) != Number(arc.to.x) || Number(arc.from.y) != Number(arc.to.y));
}

std::string PathData(const Glyph& glyph, double flatness, LossReport& losses) {
  std::string d;
  for (const Path& path : glyph.paths) {
    if (!d.empty()) d += ' ';
    d += "M " + Number(path.start.x) + " " + Number(path.start.y);
    for (const Segment& segment : path.segments) {
      if (const auto* line = std::get_if<LineSegment>(&segment)) {
        d += " L " + Number(line->to.x) + " " + Number(line->to.y);
        continue;
      }
      const auto& arc = std::get<ArcSegment>(segment);
      if (!SvgDrawsArc(arc)) {
        std::vector<Point> points = FlattenArc(arc, flatness);
        for (std::size_t k = 1; k < points.size(); ++k) d += " L " + Number(points[k].x) + " " + Number(points[k].y);
        losses.Add(LossKind::kArcsFlattened, ArcDistanceToPolyline(arc, points));
        continue;
      }
      // The sweep flag is read in the glyph's own y-up space: 1 turns
      // counterclockwise there. A frame mirroring one axis turns the arc.
      bool counterclockwise = (arc.sweep > 0) != ((arc.axisX < 0) != (arc.axisY < 0));
      bool large = std::fabs(arc.sweep) > 180;
      d += " A " + Number(std::fabs(arc.axisX)) + " " + Number(std::fabs(arc.axisY)) + " 0 " + (large ? "1" : "0") +
           " " + (counterclockwise ? "1" : "0") + " " + Number(arc.to.x) + " " + Number(arc.to.y);
    }
  }
  return d;
}

}  // namespace

std::string WriteSvgFont(const GlyphFont& font, const std::string& baseName, LossReport& losses) {
  double em = font.capHeight / kReaderCapitalPerEm;
  std::vector<const CharacterGlyph*> glyphs = ByCharacter(font, losses);
  double defaultAdvance = font.capHeight;
  for (const CharacterGlyph* glyph : glyphs) {
    if (glyph->character == U' ') defaultAdvance = glyph->glyph.advance.x;
  }
  std::string name = XmlText(baseName);
  std::string out;
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\">\n<defs>\n";
  out += "<font id=\"" + name + "\" horiz-adv-x=\"" + Number(defaultAdvance) + "\">\n";
  out += "<font-face font-family=\"" + name + "\" units-per-em=\"" + Number(em) + "\" ascent=\"" +
         Number(font.capHeight) + "\" descent=\"" + Number(-font.depth) + "\" cap-height=\"" +
         Number(font.capHeight) + "\"/>\n";
  // Unknown characters show as an open box of a capital's height.
  double box = font.capHeight * 0.6;
  out += "<missing-glyph horiz-adv-x=\"" + Number(box + font.capHeight * 0.2) + "\" d=\"M 0 0 L " + Number(box) +
         " 0 L " + Number(box) + " " + Number(font.capHeight) + " L 0 " + Number(font.capHeight) + " Z\"/>\n";
  for (const CharacterGlyph* entry : glyphs) {
    const CharacterGlyph& glyph = *entry;
    if (!XmlCharacter(glyph.character) || glyph.character < 0x20) {
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    if (glyph.glyph.advance.y != 0) losses.Add(LossKind::kAdvancesMoved, glyph.glyph.advance.y);
    out += "<glyph unicode=\"" + UnicodeAttribute(glyph.character) + "\" horiz-adv-x=\"" +
           Number(glyph.glyph.advance.x) + "\"";
    std::string d = PathData(glyph.glyph, font.capHeight * kFlatnessPerCapital, losses);
    if (!d.empty()) out += " d=\"" + d + "\"";
    out += "/>\n";
  }
  out += "</font>\n</defs>\n</svg>\n";
  return out;
}

}  // namespace morlune::convert
