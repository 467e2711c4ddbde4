// Relative path data with the blanks that SVG needs and no more: a command
// letter only where it changes, no blank before a minus sign.
#include "drawing/svg_path_text.h"

#include <cmath>
#include <cstring>

#include "drawing/arc_ellipse.h"
#include "drawing/digit_text.h"
#include "drawing/number_text.h"

namespace morlune {
namespace {

// An arc, the longest segment: a move, its letter, five numbers of at most
// 24 bytes each and the flags.
constexpr std::size_t kNumberRoom = 24;
constexpr std::size_t kSegmentRoom = 2 + 2 * kNumberRoom + 1 + 5 * kNumberRoom + 6;

// Writes units, Decimals of them to the whole, without the zeros that end
// the decimals, at out; returns its length.
template <int Decimals>
std::size_t WriteNumber(char* out, std::uint64_t units) {
  constexpr std::uint64_t kWhole = kPowersOfTen[Decimals];
  std::uint64_t whole = units / kWhole;
  std::uint32_t fraction = static_cast<std::uint32_t>(units % kWhole);
  std::size_t length = WriteWhole(whole, out);
  if (fraction == 0) return length;
  int places = Decimals;
  while (fraction % 10 == 0) {
    fraction /= 10;
    --places;
  }
  out[length] = '.';
  char* end = out + length + 1 + places;
  DigitsBefore(end, fraction);
  // The decimals keep their leading zeros.
  for (int filled = DigitCount(fraction); filled < places; ++filled) end[-1 - filled] = '0';
  return length + 1 + static_cast<std::size_t>(places);
}

}  // namespace

SvgPathText::SvgPathText(int decimals)
    : decimals_(decimals < 0 || decimals > kListingDecimals ? kListingDecimals : decimals), unitsPerFontUnit_(1) {
  for (int i = 0; i < decimals_; ++i) unitsPerFontUnit_ *= 10;
}

void SvgPathText::Clear() {
  length_ = 0;
  started_ = false;
  afterNumber_ = false;
  lastCommand_ = 0;
  x_ = 0;
  y_ = 0;
}

// Coordinates within 2^32 and the units within 10^6 of a font unit stay
// below 2^53, where the truncation and the fraction are exact, so the
// rounding (half away from zero) is the same everywhere; the difference of
// two of them fits 64 bits with room to spare.
std::int64_t SvgPathText::Units(double value) const {
  double scaled = WritableValue(value) * unitsPerFontUnit_;
  std::int64_t whole = static_cast<std::int64_t>(scaled);
  double fraction = scaled - static_cast<double>(whole);
  return whole + (fraction >= 0.5 ? 1 : 0) - (fraction <= -0.5 ? 1 : 0);
}

void SvgPathText::AppendNumber(std::int64_t units) {
  bool negative = units < 0;
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
  // A number needs a blank after a number, but not after a command letter,
  // and none before its minus sign. The lead byte is always written and
  // kept only where it is needed: the signs of relative moves follow no
  // pattern a branch could learn.
  char* out = text_.data() + length_;
  out[0] = negative ? '-' : ' ';
  std::size_t lead = static_cast<std::size_t>(negative) | static_cast<std::size_t>(afterNumber_);
  out += lead;
  switch (decimals_) {
    case 0: length_ += lead + WriteNumber<0>(out, magnitude); break;
    case 1: length_ += lead + WriteNumber<1>(out, magnitude); break;
    case 2: length_ += lead + WriteNumber<2>(out, magnitude); break;
    case 3: length_ += lead + WriteNumber<3>(out, magnitude); break;
    case 4: length_ += lead + WriteNumber<4>(out, magnitude); break;
    case 5: length_ += lead + WriteNumber<5>(out, magnitude); break;
    default: length_ += lead + WriteNumber<6>(out, magnitude); break;
  }
  afterNumber_ = true;
}

void SvgPathText::StartAt(Point from) {
  // Most segments start where the last one ended: no rounding to redo.
  if (started_ && from.x == end_.x && from.y == end_.y) return;
  std::int64_t x = Units(from.x), y = Units(from.y);
  if (started_ && x == x_ && y == y_) return;
  // The first move of a path is from the origin: relative like the others.
  Command('m');
  AppendNumber(x - x_);
  AppendNumber(y - y_);
  started_ = true;
  x_ = x;
  y_ = y;
}

// After a move the next pair is a line already.
void SvgPathText::Command(char command) {
  bool implied = lastCommand_ == command || (command == 'l' && lastCommand_ == 'm');
  if (!implied) {
    text_[length_++] = command;
    afterNumber_ = false;
  }
  lastCommand_ = command;
}

void SvgPathText::Line(Point from, Point to) {
  MakeRoom(kSegmentRoom);
  StartAt(from);
  Command('l');
  std::int64_t x = Units(to.x), y = Units(to.y);
  AppendNumber(x - x_);
  AppendNumber(y - y_);
  x_ = x;
  y_ = y;
  end_ = to;
}

void SvgPathText::Arc(const ArcSegment& arc) {
  MakeRoom(kSegmentRoom);
  StartAt(arc.from);
  Command('a');
  ArcEllipse ellipse = EllipseOf(arc);
  AppendNumber(Units(ellipse.radiusX));
  AppendNumber(Units(ellipse.radiusY));
  if (ellipse.rotation == 0) {
    std::memcpy(text_.data() + length_, ellipse.large ? " 0 1 " : " 0 0 ", 5);
    length_ += 5;
  } else {
    AppendNumber(Units(ellipse.rotation));
    std::memcpy(text_.data() + length_, ellipse.large ? " 1 " : " 0 ", 3);
    length_ += 3;
  }
  text_[length_++] = ellipse.counterclockwise ? '1' : '0';
  std::int64_t x = Units(arc.to.x), y = Units(arc.to.y);
  AppendNumber(x - x_);
  AppendNumber(y - y_);
  x_ = x;
  y_ = y;
  end_ = arc.to;
}

}  // namespace morlune
