// Glyphs to a single-line font: capitals 9 units tall, y up, one polyline
// a line with each arc's bulge on the vertex that ends it, one empty line
// after each glyph. The format has no advance of its own: the reader puts
// the next glyph at the glyph's rightmost point plus the font's letter
// spacing, which is chosen to bring the advances as close as it can.
#include "convert/lff_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "convert/arc_math.h"
#include "convert/glyph_export.h"
#include "convert/lff_grid.h"
#include "convert/number_format.h"
#include "convert/utf8_text.h"

namespace morlune::convert {
namespace {

constexpr int kArcSamples = 16;

// A number as the file will hold it.
double Rounded(double value) {
  constexpr double kSteps = 1e5;
  return std::round(value * kSteps) / kSteps;
}

// A glyph's segments as drawn, one polyline a line: a new line wherever a
// segment does not start where the last one ended.
class LffGlyph : public PieceSink {
 public:
  // The glyph's lines go to the end of text, each with its line end; with
  // none, the glyph is only measured: its rightmost point and its losses.
  LffGlyph(double scale, LossReport& losses, std::string* text) : scale_(scale), losses_(losses), line_(text) {}

  void Line(Point from, Point to) override {
    StartAt(from);
    Put(';');
    Vertex(to, 0);
    end_ = to;
  }

  void Arc(const ArcSegment& arc) override {
    StartAt(arc.from);
    end_ = arc.to;
    double bulge = 0;
    if (BulgeOfArc(arc, bulge)) {
      Point from = last_;
      Put(';');
      Vertex(arc.to, bulge);
      // The writing pass tells nothing: the measuring pass has.
      if (line_ != nullptr) return;
      Reach(arc);
      // The arc the file describes, from its rounded numbers.
      ArcSegment written = ArcOfBulge(from, last_, Rounded(bulge));
      double moved = 0;
      for (int s = 0; s <= kArcSamples; ++s) {
        Point a = PointOnArc(arc, static_cast<double>(s) / kArcSamples);
        Point b = PointOnArc(written, static_cast<double>(s) / kArcSamples);
        moved = std::max(moved, std::hypot(a.x - b.x / scale_, a.y - b.y / scale_));
      }
      if (moved > 1e-9) losses_.Add(LossKind::kPointsMoved, moved);
      return;
    }
    // An ellipse (a circle stretched by a frame) has no bulge.
    std::vector<Point> points = FlattenArc(arc, kLffFlatness / scale_);
    for (std::size_t k = 1; k < points.size(); ++k) {
      Put(';');
      Vertex(points[k], 0);
    }
    if (line_ == nullptr) losses_.Add(LossKind::kArcsFlattened, ArcDistanceToPolyline(arc, points));
  }

  // Ends the last line; true when the glyph drew anything.
  bool Finish() {
    if (started_) Put('\n');
    if (pointsMoved_ > 0) losses_.Add(LossKind::kPointsMoved, std::sqrt(farthest2_), pointsMoved_);
    pointsMoved_ = 0;
    return started_;
  }

  // The rightmost point in the format's units; -infinity when empty.
  double Right() const { return right_; }

 private:
  void Vertex(Point p, double bulge) {
    double x = Rounded(p.x * scale_), y = Rounded(p.y * scale_);
    last_ = {x, y};
    if (line_ == nullptr) {
      // Most points move, by a rounding far below anything seen: counted
      // here, and told once for the glyph with the farthest.
      double dx = x / scale_ - p.x, dy = y / scale_ - p.y, moved2 = dx * dx + dy * dy;
      if (moved2 > 1e-18) {
        ++pointsMoved_;
        farthest2_ = std::max(farthest2_, moved2);
      }
      right_ = std::max(right_, x);
      return;
    }
    // Rounded to the format's decimals already: written as six, alike.
    AppendDecimalText(*line_, x);
    Put(',');
    AppendDecimalText(*line_, y);
    if (bulge != 0) {
      Put(",A");
      Put(DecimalText(bulge, kLffDecimals));
    }
  }

  // An arc reaches right past its ends where it passes angle 0.
  void Reach(const ArcSegment& arc) {
    right_ = std::max(right_, Rounded(ArcRightmost(arc) * scale_));
  }

  void Put(char c) {
    if (line_ != nullptr) *line_ += c;
  }
  void Put(std::string_view text) {
    if (line_ != nullptr) *line_ += text;
  }

  void StartAt(Point from) {
    if (started_ && from.x == end_.x && from.y == end_.y) return;
    if (started_) Put('\n');
    started_ = true;
    Vertex(from, 0);
  }

  double scale_;
  LossReport& losses_;
  bool started_ = false;
  long long pointsMoved_ = 0;
  double farthest2_ = 0;  // the square of the farthest move
  Point end_;  // where the last segment ended, as drawn
  std::string* line_;
  double right_ = -HUGE_VAL;
  Point last_;  // the last vertex written, in the format's units
};

std::string HeaderValue(const std::string& value) {
  std::string kept;
  // The reader cuts a value at its first colon.
  for (char c : value) {
    if (c != ':' && c != '\n' && c != '\r') kept += c;
  }
  return kept;
}

std::string HeaderLine(const char* key, const std::string& value) {
  char text[64];
  std::snprintf(text, sizeof text, "# %-19s", (std::string(key) + ":").c_str());
  return text + value + "\n";
}

}  // namespace

// Two passes, both drawing: the first measures every glyph for the
// letter spacing that the header gives and tells the losses; the second
// writes them. Holding the glyphs' text instead would hold the font.
void WriteLff(GlyphSource& font, LossReport& losses, TextOutput& out) {
  double scale = kLffCapitalHeight / font.capHeight;
  struct Measured {
    std::size_t k;
    char32_t character;
    Point advance;
    double right;
  };
  std::vector<Measured> kept;
  double wordSpacing = kLffDefaultWordSpacing;
  for (std::size_t k : ByCharacter(font, losses)) {
    char32_t character = font.CodeAt(k).character;
    if (character > kLffLastCharacter || character < 0x20) {
      // Past U+FFFF the reader serves another character.
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    // The space is no glyph of the file, only its word spacing: what its
    // points would lose in the file is no loss, but ink it has is.
    LossReport notWritten;
    LffGlyph lff(scale, character == U' ' ? notWritten : losses, nullptr);
    Point advance = font.DrawInto(k, lff, losses);
    if (character == U' ') {
      wordSpacing = advance.x * scale;
      // A space that draws loses its ink.
      if (lff.Finish()) losses.Add(LossKind::kCodesDropped);
      continue;
    }
    if (!lff.Finish()) {
      // A glyph that draws nothing the reader drops, and shows its
      // missing-glyph sign instead.
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    kept.push_back({k, character, advance, lff.Right()});
  }
  // The spacing that keeps the largest miss of any advance smallest: the
  // middle of the least and the most that each glyph asks for.
  double least = HUGE_VAL, most = -HUGE_VAL;
  for (const Measured& m : kept) {
    if (m.right < 0) continue;
    double wanted = m.advance.x * scale - m.right;
    least = std::min(least, wanted);
    most = std::max(most, wanted);
  }
  double spacing = least <= most ? Rounded((least + most) / 2) : kLffDefaultLetterSpacing;
  for (const Measured& m : kept) {
    double advance = m.right < 0 ? 0 : m.right + spacing;
    double miss = advance / scale - m.advance.x;
    if (std::fabs(miss) > 1e-6 / scale) losses.Add(LossKind::kAdvancesMoved, miss);
    if (m.advance.y != 0) losses.Add(LossKind::kAdvancesMoved, m.advance.y);
  }

  std::string head;
  head += HeaderLine("Format", "single-line font");
  head += HeaderLine("Name", HeaderValue(font.name));
  head += HeaderLine("Encoding", "UTF-8");
  head += HeaderLine("LetterSpacing", DecimalText(spacing, kLffDecimals));
  head += HeaderLine("WordSpacing", DecimalText(wordSpacing, kLffDecimals));
  head += HeaderLine("LineSpacingFactor", "1");
  head += "\n";
  out.Write(head);
  char header[32];
  std::string text;
  for (const Measured& m : kept) {
    std::snprintf(header, sizeof header, "[%04X] ", static_cast<unsigned>(m.character));
    text = header;
    AppendUtf8(text, m.character);
    text += '\n';
    LossReport told;  // in the first pass
    LffGlyph lff(scale, told, &text);
    font.DrawInto(m.k, lff, told);
    lff.Finish();
    text += '\n';
    out.Write(text);
  }
}

}  // namespace morlune::convert
