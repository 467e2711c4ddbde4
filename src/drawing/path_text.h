// Geometry as SVG path data in font units, y up: absolute M, L and A
// commands, commands and numbers separated by single blanks.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "drawing/geometry.h"
#include "drawing/number_text.h"

namespace morlune {

class PathText : public GeometrySink {
 public:
  // Starts the path data of the next character.
  void Clear();
  std::string_view Text() const { return std::string_view(text_.data(), length_); }

  void Line(Point from, Point to) override;
  void Arc(const ArcSegment& arc) override;
  // Writes a character's kept paths.
  void Write(std::span<const Path> paths) { ReplayPaths(paths, *this); }

 private:
  // Makes room for the longest segment, which every one is written into
  // in place.
  void MakeRoom();
  void Append(std::string_view piece);
  void AppendNumber(double value);
  // Writes "M x y" unless from, as written, is where the last segment ended.
  void StartAt(Point from);
  void AppendEnd(Point to);

  std::string text_;  // grows; its first length_ bytes are the path data
  std::size_t length_ = 0;
  // Where the last segment's end stands in text_, as written, to compare a
  // segment's start with it.
  std::size_t lastStart_ = 0;
  std::size_t lastLength_ = 0;
  Point lastPoint_;  // the point written there
};

}  // namespace morlune
