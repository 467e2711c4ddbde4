// What each item does to the pen, and the bounds that stop a character.
#include "drawing/character_drawer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "drawing/draw_limits.h"
#include "grammar/item_grammar.h"

namespace morlune {
namespace {

// The unit step of each vector direction in units, from the grammar's
// half units.
constexpr auto kVectorSteps = [] {
  std::array<std::array<double, 2>, 16> steps{};
  for (std::size_t d = 0; d < steps.size(); ++d) {
    steps[d] = {kVectorHalfSteps[d][0] / 2.0, kVectorHalfSteps[d][1] / 2.0};
  }
  return steps;
}();

constexpr double kDegree = std::numbers::pi / 180;

struct CosSin {
  double cos;
  double sin;
};

// Exact at the quarter turns, so that arcs along the octants end on the
// same numbers on every platform.
CosSin CosSinDegrees(double angle) {
  double turn = angle - 360 * std::floor(angle / 360);
  if (turn == 0 || turn == 360) return {1, 0};
  if (turn == 90) return {0, 1};
  if (turn == 180) return {-1, 0};
  if (turn == 270) return {0, -1};
  return {std::cos(turn * kDegree), std::sin(turn * kDegree)};
}

// Angles in [0, 360).
double Turn(double angle) { return angle - 360 * std::floor(angle / 360); }

// The sweep of a bulge arc, in degrees: four times the angle whose tangent
// is the bulge's share of half the chord; a half circle at 127.
double BulgeSweep(int bulge) {
  static const auto kSweeps = [] {
    std::array<double, 128> sweeps{};
    for (int i = 1; i < 127; ++i) sweeps[static_cast<std::size_t>(i)] = 4 * std::atan(i / 127.0) / kDegree;
    sweeps[127] = 180;
    return sweeps;
  }();
  return kSweeps[static_cast<std::size_t>(bulge)];
}

bool Within(double value) { return std::fabs(value) <= kMaxMagnitude; }
bool Within(Point p) { return Within(p.x) && Within(p.y); }

// The octant byte of codes 10 and 11.
struct Octants {
  bool clockwise;
  int start;  // S
  int count;  // C, 1 to 8
};
Octants ReadOctants(int stored) {
  int count = stored & 7;
  return {(stored & 0x80) != 0, (stored >> 4) & 7, count == 0 ? 8 : count};
}

// The pairs (code 9) or entries (code 13) of a whole list item, its
// closing pair excepted; 0 for any other item.
std::int64_t ListLength(const unsigned char* spec, ItemSpan span) {
  int code = spec[span.start];
  int between = span.end - span.start - 3;  // the code and the closing pair
  if (code == kCodeDisplacementList) return between / 2;
  if (code == kCodeBulgeArcList) return between / 3;
  return 0;
}

}  // namespace

struct CharacterDrawer::Pen {
  double x = 0;
  double y = 0;
  bool down = true;
  double scale = 1;
  Point stack[kPositionStackDepth];
  int pushed = 0;
  Frame frame;
};

CharacterDrawer::CharacterDrawer(DrawingFont& font, RunBudget& budget)
    : font_(font), budget_(budget) {}

Point CharacterDrawer::Draw(int record, GeometrySink& sink) {
  warnings_.Clear();
  spentNow_ = false;
  characterItems_ = 0;
  if (budget_.spent) return {0, 0};
  sink_ = &sink;
  Pen pen;
  DrawRecord(record, pen, 0, font_.KeptSplitIfAny(record));
  return {pen.x, pen.y};
}

bool CharacterDrawer::DrawRecord(int record, Pen& pen, int depth, KeptSplit* kept) {
  if (font_.CutByFileEnd(record)) warnings_.Add(DrawWarning::kFileEnds, font_.Code(record));
  const unsigned char* spec = font_.Spec(record);
  ItemReader reader(spec, font_.SpecSize(record), font_.Kind(), kept);
  chain_.push_back(record);
  bool goOn = true;
  ItemSpan span;
  while (goOn && reader.Next(span)) {
    // An item cut short draws nothing and counts nothing; a subshape that
    // ends so hands back to its caller, which goes on.
    if (!span.whole) {
      warnings_.Add(DrawWarning::kCutShort, font_.Code(record));
      break;
    }
    if (!(goOn = Take())) break;
    int code = spec[span.start];
    if (code >= kFirstVectorByte) {
      const std::array<double, 2>& step = kVectorSteps[static_cast<std::size_t>(VectorDirection(code))];
      double length = VectorLength(code) * pen.scale;
      goOn = MoveBy(pen, length * step[0], length * step[1]);
      continue;
    }
    if (code == kCodeEnd) break;
    if (code == kCodeVerticalOnly) {
      // The next item is for vertical text: taken and counted, not drawn.
      if (!reader.Next(span)) break;
      if (!span.whole) {
        warnings_.Add(DrawWarning::kCutShort, font_.Code(record));
        break;
      }
      goOn = Take() && TakeMany(ListLength(spec, span));
      continue;
    }
    goOn = Carry(spec, span, pen, depth);
  }
  chain_.pop_back();
  return goOn;
}

// The record whose item is being carried out: the character's own or the
// subshape it calls.
int CharacterDrawer::CurrentCode() const { return chain_.empty() ? 0 : font_.Code(chain_.back()); }

bool CharacterDrawer::Take() {
  if (budget_.itemsLeft == 0) {
    budget_.spent = true;
    spentNow_ = true;
    return false;
  }
  if (characterItems_ >= budget_.limits.itemsPerGlyph) return Stop(DrawWarning::kTooManyItems);
  --budget_.itemsLeft;
  ++characterItems_;
  return true;
}

// A skipped list counts as a drawn one does, each pair or entry one item,
// but nothing of it is drawn, so its items are taken all at once: the
// first that passes a bound stops the character, the run's bound first.
bool CharacterDrawer::TakeMany(std::int64_t items) {
  if (items == 0) return true;
  std::int64_t characterLeft = std::max<std::int64_t>(budget_.limits.itemsPerGlyph - characterItems_, 0);
  if (budget_.itemsLeft < items && budget_.itemsLeft <= characterLeft) {
    characterItems_ += budget_.itemsLeft;
    budget_.itemsLeft = 0;
    return Take();
  }
  if (characterLeft < items) {
    budget_.itemsLeft -= characterLeft;
    characterItems_ += characterLeft;
    return Take();
  }
  budget_.itemsLeft -= items;
  characterItems_ += items;
  return true;
}

bool CharacterDrawer::Stop(DrawWarning warning) {
  warnings_.Add(warning, CurrentCode());
  return false;
}

bool CharacterDrawer::Carry(const unsigned char* spec, ItemSpan span, Pen& pen, int depth) {
  const unsigned char* item = spec + span.start;
  int code = item[0];
  // The lists hold signed pairs or entries up to their closing pair, which
  // the split found inside the record.
  if (code == kCodeDisplacementList) {
    for (const unsigned char* pair = item + 1; pair[0] != 0 || pair[1] != 0; pair += 2) {
      if (!Take() || !MoveBy(pen, static_cast<signed char>(pair[0]) * pen.scale,
                             static_cast<signed char>(pair[1]) * pen.scale)) {
        return false;
      }
    }
    return true;
  }
  if (code == kCodeBulgeArcList) {
    for (const unsigned char* entry = item + 1; entry[0] != 0 || entry[1] != 0; entry += 3) {
      if (!Take() || !Bulge(pen, static_cast<signed char>(entry[0]), static_cast<signed char>(entry[1]),
                            static_cast<signed char>(entry[2]))) {
        return false;
      }
    }
    return true;
  }
  ShapeItem read = ReadItem(spec, span, font_.Kind());
  switch (code) {
    case kCodePenDown:
      pen.down = true;
      return true;
    case kCodePenUp:
      pen.down = false;
      return true;
    case kCodeDivideScale:
    case kCodeMultiplyScale:
      return Rescale(pen, code, OperandValue(read, 0));
    case kCodePushPosition:
      if (pen.pushed == kPositionStackDepth) {
        warnings_.Add(DrawWarning::kStackFull, CurrentCode());
      } else {
        pen.stack[pen.pushed++] = {pen.x, pen.y};
      }
      return true;
    case kCodePopPosition: {
      if (pen.pushed == 0) {
        warnings_.Add(DrawWarning::kStackEmpty, CurrentCode());
        return true;
      }
      Point to = pen.stack[--pen.pushed];
      if (to.x == pen.x && to.y == pen.y) return true;
      return MoveTo(pen, to.x, to.y);
    }
    case kCodeSubshape:
      return Subshape(read, pen, depth);
    case kCodeDisplacement:
      return MoveBy(pen, OperandValue(read, 0) * pen.scale, OperandValue(read, 1) * pen.scale);
    case kCodeOctantArc:
      return OctantArc(pen, read);
    case kCodeFractionalArc:
      return FractionalArc(pen, read);
    case kCodeBulgeArc:
      return Bulge(pen, OperandValue(read, 0), OperandValue(read, 1), OperandValue(read, 2));
    default:
      return true;
  }
}

bool CharacterDrawer::Rescale(Pen& pen, int code, int factor) {
  if (factor == 0) {
    warnings_.Add(DrawWarning::kZeroScale, CurrentCode());
    return true;
  }
  double scale = code == kCodeDivideScale ? pen.scale / factor : pen.scale * factor;
  if (!(scale >= kMinScale && scale <= kMaxMagnitude)) return Stop(DrawWarning::kScaleBound);
  pen.scale = scale;
  return true;
}

bool CharacterDrawer::Subshape(const ShapeItem& item, Pen& pen, int depth) {
  bool framed = item.form == &kLongForm;
  int code = framed ? item.operands[1] : item.operands[0];
  if (framed && font_.Height() == 0) {
    warnings_.Add(DrawWarning::kNoHeight, code);
    return true;
  }
  if (code == 0) {
    warnings_.Add(DrawWarning::kSubshapeZero, 0);
    return true;
  }
  int record = font_.FindRecord(static_cast<std::uint16_t>(code));
  if (record < 0) {
    warnings_.Add(DrawWarning::kNoSuchShape, code);
    return true;
  }
  if (std::find(chain_.begin(), chain_.end(), record) != chain_.end()) {
    warnings_.Add(DrawWarning::kAlreadyDrawn, code);
    return true;
  }
  if (depth >= budget_.limits.maxDepth) return Stop(DrawWarning::kTooDeep);
  KeptSplit* kept = &font_.KeptSplitOf(record);
  if (!framed) return DrawRecord(record, pen, depth + 1, kept);
  // A character of its own, stretched so that the font's height fills the
  // frame; what it does to its own pen stays inside.
  double s = pen.scale, height = font_.Height();
  Pen framedPen;
  Point corner = pen.frame.Place(pen.x + OperandValue(item, 2) * s, pen.y + OperandValue(item, 3) * s);
  framedPen.frame = {corner.x, corner.y, pen.frame.scaleX * (OperandValue(item, 4) * s / height),
                     pen.frame.scaleY * (OperandValue(item, 5) * s / height)};
  return DrawRecord(record, framedPen, depth + 1, kept);
}

bool CharacterDrawer::MoveBy(Pen& pen, double dx, double dy) {
  if (dx == 0 && dy == 0) return true;
  return MoveTo(pen, pen.x + dx, pen.y + dy);
}

// Every position a move reaches is checked, so a segment starts within the
// bounds, but for the first one drawn from a frame's corner: the corner is
// where no move took the pen, and it is checked where a segment is drawn
// from it. With the pen up only the new position counts.
bool CharacterDrawer::MoveTo(Pen& pen, double x, double y) {
  Point to = pen.frame.Place(x, y);
  if (!Within(to)) return Stop(DrawWarning::kPositionBound);
  if (pen.down) {
    Point from = pen.frame.Place(pen.x, pen.y);
    if (!Within(from)) return Stop(DrawWarning::kPositionBound);
    sink_->Line(from, to);
  }
  pen.x = x;
  pen.y = y;
  return true;
}

bool CharacterDrawer::OctantArc(Pen& pen, const ShapeItem& item) {
  int radius = OperandValue(item, 0);
  Octants octants = ReadOctants(OperandValue(item, 1));
  if (radius == 0) return true;
  double sweep = octants.count * 45.0;
  return Arc(pen, radius * pen.scale, octants.start * 45.0, octants.clockwise ? -sweep : sweep);
}

bool CharacterDrawer::FractionalArc(Pen& pen, const ShapeItem& item) {
  int startOffset = OperandValue(item, 0), endOffset = OperandValue(item, 1);
  int radius = OperandValue(item, 2) * 256 + OperandValue(item, 3);
  Octants octants = ReadOctants(OperandValue(item, 4));
  int endOctant = octants.clockwise ? octants.start - octants.count + 1 : octants.start + octants.count - 1;
  endOctant &= 7;
  // Multiples of 45/256 degree: exact in binary, so the sweep is too.
  double start = octants.start * 45.0 + startOffset * 45.0 / 256;
  double end = endOctant * 45.0 + endOffset * 45.0 / 256;
  double sweep = octants.clockwise ? Turn(start - end) : Turn(end - start);
  if (radius == 0 || sweep == 0) return true;
  return Arc(pen, radius * pen.scale, start, octants.clockwise ? -sweep : sweep);
}

bool CharacterDrawer::Arc(Pen& pen, double radius, double startAngle, double sweep) {
  CosSin start = CosSinDegrees(startAngle);
  Point centre{pen.x - radius * start.cos, pen.y - radius * start.sin};
  double axisX = pen.frame.scaleX * radius, axisY = pen.frame.scaleY * radius;
  bool full = std::fabs(sweep) >= 360;
  // A full circle is drawn as two half circles through the opposite point.
  Point end{pen.x, pen.y};
  Point opposite{2 * centre.x - pen.x, 2 * centre.y - pen.y};
  if (!full) {
    CosSin turned = CosSinDegrees(startAngle + sweep);
    end = {centre.x + radius * turned.cos, centre.y + radius * turned.sin};
  }
  Point from = pen.frame.Place(pen.x, pen.y), to = pen.frame.Place(end.x, end.y);
  Point oppositeAt = pen.frame.Place(opposite.x, opposite.y);
  // With the pen up the arc writes nothing: only where it ends counts.
  if (!Within(to)) return Stop(DrawWarning::kPositionBound);
  if (pen.down) {
    if (!Within(from) || !Within(axisX) || !Within(axisY) || (full && !Within(oppositeAt))) {
      return Stop(DrawWarning::kPositionBound);
    }
    Point centreAt = pen.frame.Place(centre.x, centre.y);
    if (full) {
      double half = sweep / 2;
      sink_->Arc({from, oppositeAt, centreAt, axisX, axisY, half});
      sink_->Arc({oppositeAt, from, centreAt, axisX, axisY, half});
    } else {
      sink_->Arc({from, to, centreAt, axisX, axisY, sweep});
    }
  }
  pen.x = end.x;
  pen.y = end.y;
  return true;
}

bool CharacterDrawer::Bulge(Pen& pen, int dx, int dy, int bulge) {
  double chordX = dx * pen.scale, chordY = dy * pen.scale;
  if (chordX == 0 && chordY == 0) return true;
  if (bulge == -128) bulge = -127;
  if (bulge == 0) return MoveTo(pen, pen.x + chordX, pen.y + chordY);
  // The bulge is the arc's height over half its chord, times 127.
  double chord = std::sqrt(chordX * chordX + chordY * chordY);
  double share = std::abs(bulge) / 127.0;
  double halfChord = chord / 2, height = share * halfChord;
  double radius = (halfChord * halfChord + height * height) / (2 * height);
  double side = bulge > 0 ? 1 : -1;
  // The centre lies left of the chord for a counterclockwise arc, right of
  // it for a clockwise one.
  double toCentre = (radius - height) * side / chord;
  Point centre{pen.x + chordX / 2 - chordY * toCentre, pen.y + chordY / 2 + chordX * toCentre};
  Point end{pen.x + chordX, pen.y + chordY};
  double axisX = pen.frame.scaleX * radius, axisY = pen.frame.scaleY * radius;
  Point to = pen.frame.Place(end.x, end.y);
  if (!Within(to)) return Stop(DrawWarning::kPositionBound);
  if (pen.down) {
    Point from = pen.frame.Place(pen.x, pen.y);
    if (!Within(from) || !Within(axisX) || !Within(axisY)) return Stop(DrawWarning::kPositionBound);
    sink_->Arc({from, to, pen.frame.Place(centre.x, centre.y), axisX, axisY, side * BulgeSweep(std::abs(bulge))});
  }
  pen.x = end.x;
  pen.y = end.y;
  return true;
}

}  // namespace morlune
