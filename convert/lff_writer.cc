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
  LffGlyph(double scale, LossReport& losses) : scale_(scale), losses_(losses) {}

  void AddPath(const Path& path) {
    std::string line = Vertex(path.start, 0);
    for (const Segment& segment : path.segments) {
      if (const auto* straight = std::get_if<LineSegment>(&segment)) {
        line += ';';
        line += Vertex(straight->to, 0);
        continue;
      }
      const auto& arc = std::get<ArcSegment>(segment);
      double bulge = 0;
      if (BulgeOfArc(arc, bulge)) {
        Point from = last_;
        line += ';';
        line += Vertex(arc.to, bulge);
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
        line += ';';
        line += Vertex(points[k], 0);
      }
      losses_.Add(LossKind::kArcsFlattened, ArcDistanceToPolyline(arc, points));
    }
    lines_.push_back(std::move(line));
  }

  const std::vector<std::string>& Lines() const { return lines_; }
  // The rightmost point in the format's units; -infinity when empty.
  double Right() const { return right_; }

 private:
  std::string Vertex(Point p, double bulge) {
    double x = Rounded(p.x * scale_), y = Rounded(p.y * scale_);
    double moved = std::hypot(x / scale_ - p.x, y / scale_ - p.y);
    if (moved > 1e-9) losses_.Add(LossKind::kPointsMoved, moved);
    right_ = std::max(right_, x);
    last_ = {x, y};
    std::string text = DecimalText(x, kLffDecimals) + "," + DecimalText(y, kLffDecimals);
    if (bulge != 0) text += ",A" + DecimalText(bulge, kLffDecimals);
    return text;
  }

  // An arc reaches right past its ends where it passes angle 0.
  void Reach(const ArcSegment& arc) {
    right_ = std::max(right_, Rounded(ArcRightmost(arc) * scale_));
  }

  double scale_;
  LossReport& losses_;
  std::vector<std::string> lines_;
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

std::string WriteLff(const GlyphFont& font, LossReport& losses) {
  double scale = kLffCapitalHeight / font.capHeight;
  struct Written {
    const CharacterGlyph* glyph;
    std::vector<std::string> lines;
    double right;
  };
  std::vector<Written> written;
  double wordSpacing = kLffDefaultWordSpacing;
  for (const CharacterGlyph* entry : ByCharacter(font, losses)) {
    const CharacterGlyph& glyph = *entry;
    if (glyph.character == U' ') {
      // The format keeps of a space only its width, as the word spacing.
      wordSpacing = glyph.glyph.advance.x * scale;
      if (!glyph.glyph.paths.empty()) losses.Add(LossKind::kCodesDropped);
      continue;
    }
    if (glyph.character > kLffLastCharacter || glyph.character < 0x20 || glyph.glyph.paths.empty()) {
      // Past U+FFFF the reader serves another character; a glyph that draws
      // nothing it drops, and shows its missing-glyph sign instead.
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    LffGlyph lff(scale, losses);
    for (const Path& path : glyph.glyph.paths) lff.AddPath(path);
    written.push_back({&glyph, lff.Lines(), lff.Right()});
  }
  // The spacing that keeps the largest miss of any advance smallest: the
  // middle of the least and the most that each glyph asks for.
  double least = HUGE_VAL, most = -HUGE_VAL;
  for (const Written& w : written) {
    if (w.right < 0) continue;
    double wanted = w.glyph->glyph.advance.x * scale - w.right;
    least = std::min(least, wanted);
    most = std::max(most, wanted);
  }
  double spacing = least <= most ? Rounded((least + most) / 2) : kLffDefaultLetterSpacing;
  for (const Written& w : written) {
    double advance = w.right < 0 ? 0 : w.right + spacing;
    double miss = advance / scale - w.glyph->glyph.advance.x;
    if (std::fabs(miss) > 1e-6 / scale) losses.Add(LossKind::kAdvancesMoved, miss);
    if (w.glyph->glyph.advance.y != 0) losses.Add(LossKind::kAdvancesMoved, w.glyph->glyph.advance.y);
  }

  std::string out;
  out += HeaderLine("Format", "single-line font");
  out += HeaderLine("Name", HeaderValue(font.name));
  out += HeaderLine("Encoding", "UTF-8");
  out += HeaderLine("LetterSpacing", DecimalText(spacing, kLffDecimals));
  out += HeaderLine("WordSpacing", DecimalText(wordSpacing, kLffDecimals));
  out += HeaderLine("LineSpacingFactor", "1");
  out += "\n";
  char header[32];
  for (const Written& w : written) {
    std::snprintf(header, sizeof header, "[%04X] ", static_cast<unsigned>(w.glyph->character));
    out += header;
    AppendUtf8(out, w.glyph->character);
    out += "\n";
    for (const std::string& line : w.lines) out += line + "\n";
    out += "\n";
  }
  return out;
}

}  // namespace morlune::convert
