// Path data: a segment starts with a move only where the pen, as written,
// is not already there; full circles come as two half circles.
#include "drawing/path_text.h"

#include <cmath>
#include <cstring>

namespace morlune {

void PathText::Clear() {
  text_.clear();
  last_.length = 0;
}

void PathText::Write(Point p, Written& into) {
  std::size_t x = FormatDecimal(p.x, into.text);
  into.text[x] = ' ';
  into.length = x + 1 + FormatDecimal(p.y, into.text + x + 1);
}

void PathText::StartAt(Point from) {
  // The same point is written the same; only another one needs its text
  // compared.
  if (last_.length != 0 && from.x == lastPoint_.x && from.y == lastPoint_.y) return;
  Write(from, scratch_);
  if (last_.length == scratch_.length && std::memcmp(last_.text, scratch_.text, scratch_.length) == 0) return;
  text_.append(text_.empty() ? "M " : " M ");
  text_.append(scratch_.text, scratch_.length);
}

void PathText::AppendEnd(Point to) {
  Write(to, last_);
  lastPoint_ = to;
  text_.append(last_.text, last_.length);
}

void PathText::Line(Point from, Point to) {
  StartAt(from);
  text_.append(" L ");
  AppendEnd(to);
}

void PathText::Arc(const ArcPiece& arc) {
  StartAt(arc.from);
  text_.append(" A ");
  AppendDecimal(text_, std::fabs(arc.axisX));
  text_ += ' ';
  AppendDecimal(text_, std::fabs(arc.axisY));
  // A frame that mirrors one axis turns a counterclockwise arc clockwise.
  bool counterclockwise = (arc.sweep > 0) != (arc.axisX * arc.axisY < 0);
  text_.append(std::fabs(arc.sweep) > 180 ? " 0 1 " : " 0 0 ");
  text_.append(counterclockwise ? "1 " : "0 ");
  AppendEnd(arc.to);
}

}  // namespace morlune
