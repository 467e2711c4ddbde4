// Glyphs out as an SVG font: one <glyph> a character, its strokes as path
// data in font units, y up.
#include "convert/svg/svg_font_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "convert/arc_math.h"
#include "convert/export/glyph_export.h"
#include "convert/number_format.h"
#include "drawing/arc_ellipse.h"
#include "drawing/xml_text.h"

namespace morlune::convert {
namespace {

// The reader's own stroke fonts draw a capital 662 units tall in an em of
// 1000: an em of capHeight * 1000 / 662 makes text set in this font at a
// size as tall as text in those at the same size.
constexpr double kReaderCapitalPerEm = 0.662;
constexpr int kDecimals = kSvgDecimals;
// Arcs the format cannot hold stray at most this share of a capital from
// the straight pieces written for them.
constexpr double kFlatnessPerCapital = 1e-3;
// Near a half circle, rounding the ends to the file's decimals moves the
// centre many times as far; a move below this share of a capital is the
// decimals' own noise, far below what any drawing shows.
constexpr double kUnseenPerCapital = 1e-5;

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

// A glyph's path data, segment by segment as drawn: a new "M" wherever a
// segment does not start where the last one ended.
class PathData : public GeometrySink {
 public:
  // flatness: how far the straight pieces written for an arc the format
  // cannot draw may stray from it.
  // unseen: how far an arc may move, for the rounding of the file's
  // numbers, without being told.
  PathData(double flatness, double unseen, LossReport& losses)
      : flatness_(flatness), unseen_(unseen), losses_(losses) {}

  void Clear() {
    length_ = 0;
    started_ = false;
    cut_ = false;
    budget_.StartGlyph();
  }
  // True when the glyph's arcs passed the flattening budget: it is cut short.
  bool Cut() const { return cut_; }
  std::string_view Text() const { return std::string_view(text_.data(), length_); }

  void Line(Point from, Point to) override {
    if (cut_) return;
    char* at = MakeRoom();
    at = StartAt(at, from);
    at = Copy(at, " L ");
    Finish(Append(at, to));
  }

  void Arc(const ArcSegment& arc) override {
    if (cut_) return;
    if (!SvgDrawsArc(arc)) {
      if (!budget_.Take(FlatPieces(arc, flatness_))) {
        cut_ = true;
        return;
      }
      std::vector<Point> points = FlattenArc(arc, flatness_);
      for (std::size_t k = 1; k < points.size(); ++k) Line(points[k - 1], points[k]);
      losses_.Add(LossKind::kArcsFlattened, ArcDistanceToPolyline(arc, points));
      return;
    }
    char* at = MakeRoom();
    at = StartAt(at, arc.from);
    // The flags are read in the glyph's own y-up space, as the pictures
    // read them: sweep 1 turns counterclockwise there. A glyph's arcs are
    // never sheared: their axes lie along x and y.
    ArcEllipse ellipse = EllipseOf(arc);
    Point radii = WrittenRadii(arc, ellipse.large, ellipse.counterclockwise);
    at = Copy(at, " A ");
    at = Append(at, radii);
    at = Copy(at, ellipse.large ? " 0 1 " : " 0 0 ");
    at = Copy(at, ellipse.counterclockwise ? "1 " : "0 ");
    Finish(Append(at, arc.to));
  }

 private:
  static double Written(double value) { return std::nearbyint(value * kScale) / kScale; }

  // The centre and radii a reader finds for an arc from its ends, radii and
  // flags as written: radii too small for the chord are scaled up until
  // they span it, which puts a half circle's centre on the chord.
  static void ReaderEllipse(Point from, Point to, Point& radii, bool large, bool counterclockwise, Point& centre) {
    double hx = (from.x - to.x) / 2, hy = (from.y - to.y) / 2;
    double rx = radii.x, ry = radii.y;
    double lambda = hx * hx / (rx * rx) + hy * hy / (ry * ry);
    if (lambda > 1) rx *= std::sqrt(lambda), ry *= std::sqrt(lambda);
    double num = rx * rx * ry * ry - rx * rx * hy * hy - ry * ry * hx * hx;
    double den = rx * rx * hy * hy + ry * ry * hx * hx;
    double factor = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
    if (large == counterclockwise) factor = -factor;
    centre = {factor * rx * hy / ry + (from.x + to.x) / 2, -factor * ry * hx / rx + (from.y + to.y) / 2};
    radii = {rx, ry};
  }

  // The radii written, each at the file's decimals rounded down, to the
  // nearest or up, whichever puts the arc the reader draws nearest the
  // arc: near a half circle the centre moves far for a small change of the
  // radius (a radius rounded up moves a half circle's centre off its
  // chord by the root of the radius times twice the change). What it still
  // moves by, past the file's own precision, is a loss.
  Point WrittenRadii(const ArcSegment& arc, bool large, bool counterclockwise) {
    Point from{Written(arc.from.x), Written(arc.from.y)}, to{Written(arc.to.x), Written(arc.to.y)};
    double rx = std::fabs(arc.axisX), ry = std::fabs(arc.axisY);
    Point best{Written(rx), Written(ry)};
    // The reader's ellipse from the numbers before rounding: what the
    // rounding changes of it is what it moves.
    Point exact{rx, ry}, exactCentre;
    ReaderEllipse(arc.from, arc.to, exact, large, counterclockwise, exactCentre);
    double bestMove = HUGE_VAL;
    for (int way = -1; way <= 1; ++way) {
      auto round = [way](double v) { return way < 0 ? std::floor(v) : way > 0 ? std::ceil(v) : std::nearbyint(v); };
      Point radii{round(rx * kScale) / kScale, round(ry * kScale) / kScale};
      if (radii.x <= 0 || radii.y <= 0) continue;
      Point drawn = radii, centre;
      ReaderEllipse(from, to, drawn, large, counterclockwise, centre);
      // Every point of one ellipse lies within the centres' distance plus
      // the larger change of a semi-axis of the other's.
      double move = std::hypot(centre.x - exactCentre.x, centre.y - exactCentre.y) +
                    std::max(std::fabs(drawn.x - exact.x), std::fabs(drawn.y - exact.y));
      if (move < bestMove) bestMove = move, best = radii;
    }
    if (std::isfinite(bestMove) && bestMove > unseen_) losses_.Add(LossKind::kPointsMoved, bestMove);
    return best;
  }

  // An SVG arc with a zero radius is a straight line to its end, and one
  // that ends where it starts is not drawn at all: a circle squashed flat
  // by its frame, or one that comes back to its start, must go as the
  // straight pieces it draws. Numbers as written, to the file's decimals.
  static bool SvgDrawsArc(const ArcSegment& arc) {
    auto written = [](double value) { return std::nearbyint(value * kScale); };
    return written(std::fabs(arc.axisX)) != 0 && written(std::fabs(arc.axisY)) != 0 &&
           (written(arc.from.x) != written(arc.to.x) || written(arc.from.y) != written(arc.to.y));
  }
  static constexpr double kScale = 1e6;  // 10 to the power of kDecimals

  // The longest segment: a move, an arc's command, radii, flags and end.
  static constexpr std::size_t kSegmentRoom = 16 + 6 * kNumberRoom;

  // Room for one more segment at the end of the text; its place.
  char* MakeRoom() {
    if (text_.size() - length_ < kSegmentRoom) text_.resize(std::max(2 * text_.size(), length_ + kSegmentRoom));
    return text_.data() + length_;
  }
  void Finish(char* end) { length_ = static_cast<std::size_t>(end - text_.data()); }

  static char* Copy(char* at, std::string_view piece) {
    std::memcpy(at, piece.data(), piece.size());
    return at + piece.size();
  }

  char* StartAt(char* at, Point from) {
    if (started_ && from.x == end_.x && from.y == end_.y) return at;
    at = Copy(at, started_ ? " M " : "M ");
    started_ = true;
    return Append(at, from);
  }

  char* Append(char* at, Point p) {
    at = Number(at, p.x);
    *at++ = ' ';
    at = Number(at, p.y);
    end_ = p;
    return at;
  }

  char* Number(char* at, double value) {
    if (std::size_t length = texts_.WriteAt(value, at); length > 0) return at + length;
    // A number past the fast writer's range, with room made for it.
    std::string printed = DecimalText(value, kDecimals);
    std::size_t offset = static_cast<std::size_t>(at - text_.data());
    text_.resize(text_.size() + printed.size());
    return Copy(text_.data() + offset, printed);
  }

  DecimalTexts texts_;
  std::string text_;  // its first length_ bytes are the glyph's path data
  std::size_t length_ = 0;
  bool started_ = false;
  Point end_;  // where the last segment ended
  bool cut_ = false;
  FlatteningBudget budget_;
  double flatness_;
  double unseen_;
  LossReport& losses_;
};

}  // namespace

void WriteSvgFont(GlyphSource& font, const std::string& baseName, LossReport& losses, TextOutput& out) {
  double em = font.capHeight / kReaderCapitalPerEm;
  losses.SetNoiseFloor(kSvgStep);
  std::vector<std::size_t> glyphs = ByCharacter(font, losses);
  double defaultAdvance = font.capHeight;
  for (std::size_t k : glyphs) {
    if (font.CodeAt(k).character != U' ') continue;
    // Its losses are told where it is written.
    LossReport told;
    defaultAdvance = font.Draw(k, told).advance.x;
  }
  std::string name;
  AppendXmlUtf8(name, baseName);
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
  PathData path(font.capHeight * kFlatnessPerCapital, font.capHeight * kUnseenPerCapital, losses);
  for (std::size_t k : glyphs) {
    char32_t character = font.CodeAt(k).character;
    if (!XmlCharacter(character) || character < 0x20) {
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    path.Clear();
    Point advance = font.DrawInto(k, path, losses);
    if (path.Cut()) losses.Add(LossKind::kStrokesCut);
    if (advance.y != 0) losses.Add(LossKind::kAdvancesMoved, advance.y);
    out.Write("<glyph unicode=\"");
    out.Write(UnicodeAttribute(character));
    out.Write("\" horiz-adv-x=\"");
    WriteDecimal(out, advance.x);
    out.Put('"');
    if (!path.Text().empty()) {
      out.Write(" d=\"");
      out.Write(path.Text());
      out.Put('"');
    }
    out.Write("/>\n");
  }
  out.Write("</font>\n</defs>\n</svg>\n");
}

}  // namespace morlune::convert
