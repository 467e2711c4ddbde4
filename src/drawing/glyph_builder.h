// The drawing of a character as data: its segments gathered into paths, a
// new path wherever a segment does not start exactly where the last one
// ended. Every writer of the drawing reads a character from here.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "drawing/geometry.h"

namespace morlune {

class GlyphBuilder : public GeometrySink {
 public:
  // Starts the next character; the room of the last one's paths is kept,
  // so that drawing character after character does not allocate anew.
  void Clear() {
    for (std::size_t i = 0; i < used_; ++i) paths_[i].segments.clear();
    used_ = 0;
  }
  std::span<const Path> Paths() const { return {paths_.data(), used_}; }
  // Moves the paths out, for a glyph handed to a caller.
  std::vector<Path> TakePaths();

  void Line(Point from, Point to) override {
    PathFrom(from).segments.emplace_back(LineSegment{from, to});
    end_ = to;
  }
  void Arc(const ArcSegment& arc) override {
    PathFrom(arc.from).segments.emplace_back(arc);
    end_ = arc.to;
  }

 private:
  Path& PathFrom(Point from) {
    if (used_ != 0 && from.x == end_.x && from.y == end_.y) return paths_[used_ - 1];
    return NewPath(from);
  }
  Path& NewPath(Point from);

  std::vector<Path> paths_;  // the first used_ are this character's
  std::size_t used_ = 0;
  Point end_;  // where the last segment ends
};

}  // namespace morlune
