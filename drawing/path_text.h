// Geometry as SVG path data in font units, y up: absolute M, L and A
// commands, commands and numbers separated by single blanks.
#pragma once

#include <cstddef>
#include <string>

#include "drawing/geometry.h"
#include "drawing/number_text.h"

namespace morlune {

class PathText : public GeometrySink {
 public:
  // The listing's form: six decimals, every command written. Fewer
  // decimals, and no command letter that repeats the one before it (or an
  // L after an M), as SVG allows, where exactness matters less.
  explicit PathText(int decimals = kListingDecimals, bool repeatCommands = true)
      : decimals_(decimals), repeatCommands_(repeatCommands) {}

  // Starts the path data of the next character.
  void Clear();
  const std::string& Text() const { return text_; }

  void Line(Point from, Point to) override;
  void Arc(const ArcPiece& arc) override;

 private:
  // A point as written, kept to compare a segment's start with the
  // previous segment's end.
  struct Written {
    char text[kDecimalRoom * 2];
    std::size_t length = 0;
  };
  void Write(Point p, Written& into) const;
  // Writes "M x y" unless from, as written, is where the last segment ended.
  void StartAt(Point from);
  void Command(char command);
  void AppendEnd(Point to);

  int decimals_;
  bool repeatCommands_;
  std::string text_;
  char lastCommand_ = 0;
  Written last_;
  Point lastPoint_;  // the point last_ was written from
  Written scratch_;
};

}  // namespace morlune
