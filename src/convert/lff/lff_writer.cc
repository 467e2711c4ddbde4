// Glyphs to a single-line font: capitals 9 units tall, y up, one polyline
// a line with each arc's bulge on the vertex that ends it, one empty line
// after each glyph. The format has no advance of its own: the reader puts
// the next glyph at the glyph's rightmost point plus the font's letter
// spacing, which is chosen to bring the advances as close as it can.
#include "convert/lff/lff_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "convert/arc_math.h"
#include "convert/export/glyph_export.h"
#include "convert/lff/lff_grid.h"
#include "convert/number_format.h"
#include "convert/utf8_text.h"
#include "platform/short_text.h"

namespace morlune::convert {
namespace {

constexpr int kArcSamples = 16;
// The file's numbers are whole steps of 10^-5.
constexpr double kSteps = 1e5;
// Numbers this far from 0 (10^6, far past any glyph) and past go by the
// general writer; below it the steps are written as they are.
constexpr double kMostSteps = 1e11;

// A number as the file will hold it: its value, and the whole steps it is.
struct FileNumber {
  double value;
  std::int64_t steps;
  bool counted;  // false: too large for steps, written from the value
};

// The value rounded to the nearest step, halves away from 0, as
// std::round does: on a whole count of steps the rest of the product is
// exact, so that no call into the library is needed.
FileNumber InFile(double value) {
  double product = value * kSteps;
  if (!(std::fabs(product) < kMostSteps)) {
    double rounded = std::round(product) / kSteps;
    return {rounded, 0, false};
  }
  auto steps = static_cast<std::int64_t>(product);
  double rest = product - static_cast<double>(steps);
  steps += static_cast<std::int64_t>(rest >= 0.5) - static_cast<std::int64_t>(rest <= -0.5);
  // A product that rounds to 0 keeps its sign, as std::round's does.
  return {std::copysign(static_cast<double>(steps), product) / kSteps, steps, true};
}

// The drawing's coordinates as the file holds them, each kept for the
// next time it comes: a font's glyphs come back to the same few hundred
// coordinates over and over, and each costs two divisions and its digits.
class FileCoordinates {
 public:
  struct Coordinate {
    std::uint64_t drawn;  // the drawing's coordinate, its bits
    double value;         // in the file's units, rounded to its steps
    double moved;         // value back in font units, less the drawn one
    char text[kHundredThousandthsRoom];  // the file's text of it, length bytes
    std::size_t length;   // 0: no text (too large), or an empty slot
  };

  // scale: the file's units per font unit.
  explicit FileCoordinates(double scale) : scale_(scale), slots_(std::make_unique<Coordinate[]>(kSlots)) {}
  double Scale() const { return scale_; }

  const Coordinate& Of(double drawn) {
    std::uint64_t bits = 0;
    Coordinate& slot = slots_[NumberSlot(drawn, kSlotBits, bits)];
    if (slot.length != 0 && slot.drawn == bits) return slot;
    FileNumber number = InFile(drawn * scale_);
    Coordinate& made = number.counted ? slot : large_;
    made.drawn = bits;
    made.value = number.value;
    made.moved = number.value / scale_ - drawn;
    char* end = number.counted ? WriteHundredThousandths(number.steps, made.text) : made.text;
    made.length = static_cast<std::size_t>(end - made.text);
    return made;
  }

 private:
  static constexpr int kSlotBits = 12;
  static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;

  double scale_;
  std::unique_ptr<Coordinate[]> slots_;
  Coordinate large_{};  // the last one too large for steps, kept nowhere
};

// A glyph's text, formatted in place: its first length bytes.
class GlyphText {
 public:
  void Clear() { length_ = 0; }
  std::string_view View() const { return std::string_view(text_.data(), length_); }

  // The place of the next byte, with room for n bytes after it.
  char* Room(std::size_t n) {
    if (text_.size() - length_ < n) text_.resize(std::max(2 * text_.size(), length_ + n));
    return text_.data() + length_;
  }
  void Commit(char* end) { length_ = static_cast<std::size_t>(end - text_.data()); }
  void Append(std::string_view piece) {
    char* at = Room(piece.size());
    std::memcpy(at, piece.data(), piece.size());
    Commit(at + piece.size());
  }

 private:
  std::string text_;
  std::size_t length_ = 0;
};

// A glyph's segments as drawn, one polyline a line: a new line wherever a
// segment does not start where the last one ended.
class LffGlyph : public GeometrySink {
 public:
  // measuring: its rightmost point and its losses are taken (a second
  // drawing, which only writes, has told them already). text: where its
  // lines go, each with its line end; null for none.
  LffGlyph(FileCoordinates& coordinates, FlatteningBudget& budget, LossReport& losses, bool measuring,
           GlyphText* text)
      : coordinates_(coordinates), scale_(coordinates.Scale()), budget_(budget), losses_(losses),
        measuring_(measuring), text_(text) {
    budget_.StartGlyph();
  }

  void Line(Point from, Point to) override {
    if (!Room(from, 1)) return;
    StartAt(from);
    Vertex(';', to, 0);
    end_ = to;
  }

  void Arc(const ArcSegment& arc) override {
    double bulge = 0;
    bool circular = BulgeOfArc(arc, bulge);
    int pieces = circular ? 1 : FlatPieces(arc, kLffFlatness / scale_);
    if (!Room(arc.from, pieces) || (!circular && !budget_.Take(pieces))) {
      cut_ = true;
      return;
    }
    StartAt(arc.from);
    end_ = arc.to;
    if (circular) {
      Point from = last_;
      // Ends that the file holds as one point leave the bulge no chord: the
      // arc goes straight, a stroke on one point, which the reader paints
      // as a dot.
      if (coordinates_.Of(arc.to.x).value == from.x && coordinates_.Of(arc.to.y).value == from.y) bulge = 0;
      Vertex(';', arc.to, bulge);
      if (!measuring_) return;
      Reach(arc);
      // The arc the file describes, from its rounded numbers.
      ArcSegment written = ArcOfBulge(from, last_, InFile(bulge).value);
      double moved = 0;
      for (int s = 0; s <= kArcSamples; ++s) {
        Point a = PointOnArc(arc, static_cast<double>(s) / kArcSamples);
        Point b = PointOnArc(written, static_cast<double>(s) / kArcSamples);
        moved = std::max(moved, std::hypot(a.x - b.x / scale_, a.y - b.y / scale_));
      }
      // The file's numbers move such an arc, at most, by the rounding of
      // its ends and, at its middle, by half a chord times the rounding of
      // the bulge, half a step: so far it is as near as the file comes.
      double chord = std::hypot(last_.x - from.x, last_.y - from.y);
      if (moved > kLffStep * (1 + chord / 4) / scale_) losses_.Add(LossKind::kPointsMoved, moved);
      return;
    }
    // An ellipse (a circle stretched by a frame) has no bulge.
    std::vector<Point> points = FlattenArc(arc, kLffFlatness / scale_);
    for (std::size_t k = 1; k < points.size(); ++k) Vertex(';', points[k], 0);
    if (measuring_) losses_.Add(LossKind::kArcsFlattened, ArcDistanceToPolyline(arc, points));
  }

  // Ends the last line; true when the glyph drew anything.
  bool Finish() {
    if (started_ && text_ != nullptr) text_->Append("\n");
    if (cut_ && measuring_) losses_.Add(LossKind::kStrokesCut);
    if (pointsMoved_ > 0) losses_.Add(LossKind::kPointsMoved, std::sqrt(farthest2_), pointsMoved_);
    pointsMoved_ = 0;
    return started_;
  }

  // The rightmost point in the format's units; -infinity when empty.
  double Right() const { return right_; }

 private:
  // The longest vertex but for numbers past the steps' range: a separator,
  // two numbers and a bulge, their commas and its "A".
  static constexpr std::size_t kVertexRoom = 4 + 2 * sizeof(FileCoordinates::Coordinate::text) + kNumberRoom;

  // The vertex after the separator (none where it is 0).
  void Vertex(char separator, Point p, double bulge) {
    const FileCoordinates::Coordinate& x = coordinates_.Of(p.x);
    double xValue = x.value, xMoved = x.moved;
    char* at = text_ != nullptr ? text_->Room(kVertexRoom) : nullptr;
    if (at != nullptr) {
      if (separator != 0) *at++ = separator;
      at = Number(at, x);
      *at++ = ',';
    }
    // Taken after x is written: the two may share a slot.
    const FileCoordinates::Coordinate& y = coordinates_.Of(p.y);
    last_ = {xValue, y.value};
    if (measuring_) {
      // Most points move, by a rounding far below anything seen: that is no
      // loss, being as near as the file's numbers come; a point moved
      // farther is counted here, and told once for the glyph with the
      // farthest.
      double moved2 = xMoved * xMoved + y.moved * y.moved;
      double floor = losses_.NoiseFloor();
      if (moved2 > 1e-18 && moved2 > floor * floor) {
        ++pointsMoved_;
        farthest2_ = std::max(farthest2_, moved2);
      }
      right_ = std::max(right_, xValue);
    }
    if (at == nullptr) return;
    at = Number(at, y);
    if (bulge != 0) {
      text_->Commit(at);
      text_->Append(",A");
      text_->Append(DecimalText(bulge, kLffDecimals));
      return;
    }
    text_->Commit(at);
  }

  char* Number(char* at, const FileCoordinates::Coordinate& number) {
    if (number.length != 0) {
      std::memcpy(at, number.text, sizeof number.text);
      return at + number.length;
    }
    // Far past any glyph: the general writer, with room made for it.
    text_->Commit(at);
    std::string printed;
    AppendDecimalText(printed, number.value);
    text_->Append(printed);
    return text_->Room(kVertexRoom);
  }

  // True when the glyph's lines can take `more` vertices after the one at
  // from (itself one more where a line starts there): a glyph holds at
  // most what the format's readers take in one glyph. Past that the glyph
  // is cut short.
  bool Room(Point from, long long more) {
    if (cut_) return false;
    long long needed = more + (started_ && from.x == end_.x && from.y == end_.y ? 0 : 1);
    if (vertices_ + needed > kLffMostGlyphVertices) {
      cut_ = true;
      return false;
    }
    vertices_ += needed;
    return true;
  }

  // An arc reaches right past its ends where it passes angle 0.
  void Reach(const ArcSegment& arc) { right_ = std::max(right_, InFile(ArcRightmost(arc) * scale_).value); }

  void StartAt(Point from) {
    if (started_ && from.x == end_.x && from.y == end_.y) return;
    Vertex(started_ ? '\n' : 0, from, 0);
    started_ = true;
  }

  FileCoordinates& coordinates_;
  double scale_;
  FlatteningBudget& budget_;
  LossReport& losses_;
  bool measuring_;
  GlyphText* text_;
  bool started_ = false;
  bool cut_ = false;
  long long vertices_ = 0;
  long long pointsMoved_ = 0;
  double farthest2_ = 0;  // the square of the farthest move
  Point end_;  // where the last segment ended, as drawn
  double right_ = -HUGE_VAL;
  Point last_;  // the last vertex written, in the format's units
};

// The line that begins a glyph: its code, four hexadecimal digits (the
// codes kept end at U+FFFF), and its character.
void StartGlyph(GlyphText& text, char32_t character, std::string& utf8) {
  ShortText line{text.Room(8)};
  line.Char('[').Hex(character, 4).Text("] ");
  text.Commit(line.at);
  utf8.clear();
  AppendUtf8(utf8, character);
  utf8 += '\n';
  text.Append(utf8);
}

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

// One drawing of every glyph measures it for the letter spacing that the
// header gives, tells its losses and makes its text, which waits as the
// holding says until the header has gone out. Where the holding could not
// keep it, the text is made again by a second drawing.
void WriteLff(GlyphSource& font, LossReport& losses, TextOutput& out, const TextHolding& holding) {
  double scale = kLffCapitalHeight / font.capHeight;
  losses.SetNoiseFloor(kLffStep / scale);
  struct Measured {
    std::size_t k;
    char32_t character;
    Point advance;
    double right;
    long long flatteningLeft;  // the font's flattening budget where the glyph began
  };
  std::vector<Measured> kept;
  double wordSpacing = kLffDefaultWordSpacing;
  HeldText body(holding);
  FileCoordinates coordinates(scale);
  FlatteningBudget budget;
  GlyphText text;
  std::string utf8;
  for (std::size_t k : ByCharacter(font, losses)) {
    char32_t character = font.CodeAt(k).character;
    if (character > kLffLastCharacter || character < 0x20) {
      // Past U+FFFF the reader serves another character.
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    // The space is no glyph of the file, only its word spacing: what its
    // points would lose in the file is no loss, but ink it has is.
    bool space = character == U' ';
    LossReport notWritten;
    text.Clear();
    bool writing = !space && body.Whole();
    if (writing) StartGlyph(text, character, utf8);
    long long flatteningLeft = budget.FontLeft();
    LffGlyph lff(coordinates, budget, space ? notWritten : losses, true, writing ? &text : nullptr);
    Point advance = font.DrawInto(k, lff, losses);
    if (space) {
      wordSpacing = advance.x * scale;
      // A space that draws loses its ink.
      if (lff.Finish()) losses.Add(LossKind::kCodesDropped);
      continue;
    }
    if (!lff.Finish()) {
      // A glyph that draws nothing the reader drops, and shows its
      // missing-glyph sign instead: its code would be held, its advance
      // cannot be.
      losses.Add(LossKind::kBlankDropped);
      continue;
    }
    kept.push_back({k, character, advance, lff.Right(), flatteningLeft});
    if (writing) {
      text.Append("\n");
      body.Write(text.View());
    }
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
  double spacing = least <= most ? InFile((least + most) / 2).value : kLffDefaultLetterSpacing;
  for (const Measured& m : kept) {
    double advance = m.right < 0 ? 0 : m.right + spacing;
    double miss = advance / scale - m.advance.x;
    losses.Add(LossKind::kAdvancesMoved, miss);
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
  if (body.Seal()) {
    body.SendTo(out);
    return;
  }
  for (const Measured& m : kept) {
    text.Clear();
    StartGlyph(text, m.character, utf8);
    LossReport told;  // by the first drawing
    budget.SetFontLeft(m.flatteningLeft);
    LffGlyph lff(coordinates, budget, told, false, &text);
    font.DrawInto(m.k, lff, told);
    lff.Finish();
    text.Append("\n");
    out.Write(text.View());
  }
}

}  // namespace morlune::convert
