// The rare appends, kept out of line: a number that lands near the end of
// the local buffer, and a piece that outgrows it and moves to the heap.
#include "source/piece.h"

namespace morlune {

void Piece::AppendOutOfLine(std::string_view text) { Text(text); }

void Piece::AppendSlow(std::string_view text) {
  if (size_ != kSpilled) {
    spill_ = std::make_unique<std::string>(local_, size_);
    size_ = kSpilled;
  }
  spill_->append(text);
}

}  // namespace morlune
