// Geometry as compact SVG path data for the pictures: font units, y up,
// rounded to a fixed number of decimals, every segment relative to where
// the last one ended (m, l, a; the first move from the origin), so that
// most numbers are short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "drawing/path_data_text.h"

namespace morlune {

class SvgPathText : public PathDataText {
 public:
  // decimals: 0 to 6.
  explicit SvgPathText(int decimals);

  // Starts the path data of the next glyph.
  void Clear();

  void Line(Point from, Point to) override;
  void Arc(const ArcSegment& arc) override;

 private:
  // A coordinate in units of the last decimal. Rounding each point on its
  // own, and writing the differences of the rounded points, keeps the
  // relative path from drifting.
  std::int64_t Units(double value) const;
  void StartAt(Point from);
  void Command(char command);
  void AppendNumber(std::int64_t units);

  int decimals_;
  double unitsPerFontUnit_;
  bool started_ = false;
  bool afterNumber_ = false;  // the text ends in a number: the next one needs a blank
  char lastCommand_ = 0;
  std::int64_t x_ = 0;  // where the last segment ended, in units
  std::int64_t y_ = 0;
  Point end_;  // the point the last segment ended on, before rounding
};

}  // namespace morlune
