// Path data built segment by segment, one glyph at a time, in a buffer that
// grows: each segment is written in place into room made for the longest.
// The listing's absolute path data and the pictures' relative path data
// are such texts.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "drawing/geometry.h"

namespace morlune {

class PathDataText : public GeometrySink {
 public:
  std::string_view Text() const { return std::string_view(text_.data(), length_); }
  // Writes a glyph's kept paths.
  void Write(std::span<const Path> paths) { ReplayPaths(paths, *this); }

 protected:
  // Makes room for `room` more bytes after the text.
  void MakeRoom(std::size_t room) {
    if (text_.size() - length_ < room) text_.resize(2 * text_.size() + room);
  }

  std::string text_;  // grows; its first length_ bytes are the path data
  std::size_t length_ = 0;
};

}  // namespace morlune
