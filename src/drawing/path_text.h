// Geometry as SVG path data in font units, y up: absolute M, L and A
// commands, commands and numbers separated by single blanks.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "drawing/number_text.h"
#include "drawing/path_data_text.h"

namespace morlune {

class PathText : public PathDataText {
 public:
  // Starts the path data of the next character.
  void Clear();

  void Line(Point from, Point to) override;
  void Arc(const ArcSegment& arc) override;

 private:
  void Append(std::string_view piece);
  void AppendNumber(double value);
  // Writes "M x y" unless from, as written, is where the last segment ended.
  void StartAt(Point from);
  void AppendEnd(Point to);

  // Where the last segment's end stands in text_, as written, to compare a
  // segment's start with it.
  std::size_t lastStart_ = 0;
  std::size_t lastLength_ = 0;
  Point lastPoint_;  // the point written there
};

}  // namespace morlune
