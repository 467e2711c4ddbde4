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

class LffGlyph {
 public:
  // The glyph's lines go to the end of text, each with its line end.
  LffGlyph(double scale, LossReport& losses, std::string& text) : scale_(scale), losses_(losses), line_(text) {}

  void AddPath(const Path& path) {
    Vertex(path.start, 0);
    for (const Segment& segment : path.segments) {
      if (const auto* straight = std::get_if<LineSegment>(&segment)) {
        line_ += ';';
        Vertex(straight->to, 0);
        continue;
      }
      const auto& arc = std::get<ArcSegment>(segment);
      double bulge = 0;
      if (BulgeOfArc(arc, bulge)) {
        Point from = last_;
        line_ += ';';
        Vertex(arc.to, bulge);
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
        continue;
      }
      // An ellipse (a circle stretched by a frame) has no bulge.
      std::vector<Point> points = FlattenArc(arc, kLffFlatness / scale_);
      for (std::size_t k = 1; k < points.size(); ++k) {
        line_ += ';';
        Vertex(points[k], 0);
      }
      losses_.Add(LossKind::kArcsFlattened, ArcDistanceToPolyline(arc, points));
    }
    line_ += '\n';
  }

  // The rightmost point in the format's units; -infinity when empty.
  double Right() const { return right_; }

 private:
  void Vertex(Point p, double bulge) {
    double x = Rounded(p.x * scale_), y = Rounded(p.y * scale_);
    // Squares compared, one root for a point that moved: most do, by a
    // rounding far below anything seen.
    double dx = x / scale_ - p.x, dy = y / scale_ - p.y, moved2 = dx * dx + dy * dy;
    if (moved2 > 1e-18) losses_.Add(LossKind::kPointsMoved, std::sqrt(moved2));
    right_ = std::max(right_, x);
    last_ = {x, y};
    // Rounded to the format's decimals already: written as six, alike.
    AppendDecimalText(line_, x);
    line_ += ',';
    AppendDecimalText(line_, y);
    if (bulge != 0) {
      line_ += ",A";
      line_ += DecimalText(bulge, kLffDecimals);
    }
  }

  // An arc reaches right past its ends where it passes angle 0.
  void Reach(const ArcSegment& arc) {
    right_ = std::max(right_, Rounded(ArcRightmost(arc) * scale_));
  }

  double scale_;
  LossReport& losses_;
  std::string& line_;
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

void WriteLff(GlyphSource& font, LossReport& losses, TextOutput& out) {
  double scale = kLffCapitalHeight / font.capHeight;
  struct Written {
    char32_t character;
    Point advance;
    double right;
    std::size_t end;  // of its lines in the text
  };
  std::vector<Written> written;
  std::string lines;
  double wordSpacing = kLffDefaultWordSpacing;
  for (std::size_t k : ByCharacter(font, losses)) {
    char32_t character = font.CodeAt(k).character;
    if (character > kLffLastCharacter || character < 0x20) {
      // Past U+FFFF the reader serves another character.
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    GlyphView glyph = font.Draw(k, losses);
    if (character == U' ') {
      wordSpacing = glyph.advance.x * scale;
      continue;
    }
    if (glyph.paths.empty()) {
      // A glyph that draws nothing the reader drops, and shows its
      // missing-glyph sign instead.
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    LffGlyph lff(scale, losses, lines);
    for (const Path& path : glyph.paths) lff.AddPath(path);
    written.push_back({character, glyph.advance, lff.Right(), lines.size()});
  }
  // The spacing that keeps the largest miss of any advance smallest: the
  // middle of the least and the most that each glyph asks for.
  double least = HUGE_VAL, most = -HUGE_VAL;
  for (const Written& w : written) {
    if (w.right < 0) continue;
    double wanted = w.advance.x * scale - w.right;
    least = std::min(least, wanted);
    most = std::max(most, wanted);
  }
  double spacing = least <= most ? Rounded((least + most) / 2) : kLffDefaultLetterSpacing;
  for (const Written& w : written) {
    double advance = w.right < 0 ? 0 : w.right + spacing;
    double miss = advance / scale - w.advance.x;
    if (std::fabs(miss) > 1e-6 / scale) losses.Add(LossKind::kAdvancesMoved, miss);
    if (w.advance.y != 0) losses.Add(LossKind::kAdvancesMoved, w.advance.y);
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
  std::size_t start = 0;
  char header[32];
  std::string character;
  for (const Written& w : written) {
    std::snprintf(header, sizeof header, "[%04X] ", static_cast<unsigned>(w.character));
    out.Write(header);
    character.clear();
    AppendUtf8(character, w.character);
    out.Write(character);
    out.Put('\n');
    out.Write(std::string_view(lines).substr(start, w.end - start));
    out.Put('\n');
    start = w.end;
  }
}

}  // namespace morlune::convert
