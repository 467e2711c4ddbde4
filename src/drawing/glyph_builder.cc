// Paths kept from character to character with their room.
#include "drawing/glyph_builder.h"

#include <utility>

namespace morlune {

Path& GlyphBuilder::NewPath(Point from) {
  if (used_ == paths_.size()) paths_.emplace_back();
  Path& path = paths_[used_++];
  path.start = from;
  return path;
}

std::vector<Path> GlyphBuilder::TakePaths() {
  std::vector<Path> taken(std::make_move_iterator(paths_.begin()),
                          std::make_move_iterator(paths_.begin() + static_cast<std::ptrdiff_t>(used_)));
  paths_.clear();
  used_ = 0;
  return taken;
}

}  // namespace morlune
