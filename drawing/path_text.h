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
  static void Write(Point p, Written& into);
  // Writes "M x y" unless from, as written, is where the last segment ended.
  void StartAt(Point from);
  void AppendEnd(Point to);

  std::string text_;
  Written last_;
  Point lastPoint_;  // the point last_ was written from
  Written scratch_;
};

}  // namespace morlune
