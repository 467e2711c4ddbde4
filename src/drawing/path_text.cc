// Path data: a segment starts with a move only where the pen, as written,
// is not already there; full circles come as two half circles.
#include "drawing/path_text.h"

#include <cmath>
#include <cstring>

#include "drawing/arc_ellipse.h"

namespace morlune {
namespace {

// An arc, the longest segment: a move and its point, the letter, five
// numbers and the flags.
constexpr std::size_t kSegmentRoom = 3 + 2 * kDecimalRoom + 1 + 3 + 5 * kDecimalRoom + 10;

}  // namespace

void PathText::Clear() {
  length_ = 0;
  lastLength_ = 0;
}

void PathText::Append(std::string_view piece) {
  std::memcpy(text_.data() + length_, piece.data(), piece.size());
  length_ += piece.size();
}

void PathText::AppendNumber(double value) { length_ += FormatDecimal(value, text_.data() + length_); }

void PathText::StartAt(Point from) {
  // The same point is written the same; only another one needs its text
  // compared.
  if (lastLength_ != 0 && from.x == lastPoint_.x && from.y == lastPoint_.y) return;
  // Written after the move's letter, and taken back if it reads as the
  // last end.
  std::size_t before = length_;
  Append(length_ == 0 ? "M " : " M ");
  std::size_t start = length_;
  AppendNumber(from.x);
  Append(" ");
  AppendNumber(from.y);
  if (length_ - start == lastLength_ && std::memcmp(text_.data() + start, text_.data() + lastStart_, lastLength_) == 0) {
    length_ = before;
  }
}

void PathText::AppendEnd(Point to) {
  lastStart_ = length_;
  AppendNumber(to.x);
  Append(" ");
  AppendNumber(to.y);
  lastLength_ = length_ - lastStart_;
  lastPoint_ = to;
}

void PathText::Line(Point from, Point to) {
  MakeRoom(kSegmentRoom);
  StartAt(from);
  Append(" L ");
  AppendEnd(to);
}

void PathText::Arc(const ArcSegment& arc) {
  MakeRoom(kSegmentRoom);
  StartAt(arc.from);
  Append(" A ");
  ArcEllipse ellipse = EllipseOf(arc);
  AppendNumber(ellipse.radiusX);
  Append(" ");
  AppendNumber(ellipse.radiusY);
  if (ellipse.rotation == 0) {
    Append(" 0");
  } else {
    Append(" ");
    AppendNumber(ellipse.rotation);
  }
  Append(ellipse.large ? " 1 " : " 0 ");
  Append(ellipse.counterclockwise ? "1 " : "0 ");
  AppendEnd(arc.to);
}

}  // namespace morlune
