// Number formatting for pieces, done by hand so that the output is the same
// on every platform and in every locale. The header holds the fast paths for
// the small numbers of the specification bytes; these take every other value.
#include "source/piece.h"

namespace morlune {

void Piece::AppendSlow(std::string_view text) {
  if (size_ != kSpilled) {
    spill_ = std::make_unique<std::string>(local_, size_);
    size_ = kSpilled;
  }
  spill_->append(text);
}

Piece& Piece::DecimalSlow(long value) {
  char digits[24];
  char* end = digits + sizeof digits;
  char* p = end;
  // Work on the magnitude as unsigned so that the most negative value has one.
  unsigned long magnitude = value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
  return Text(std::string_view(p, static_cast<std::size_t>(end - p)));
}

Piece& Piece::HexSlow(unsigned long value, int minDigits) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  char digits[24];
  char* end = digits + sizeof digits;
  char* p = end;
  int written = 0;
  do {
    *--p = kHexDigits[value & 0xF];
    value >>= 4;
    ++written;
  } while (value != 0 || written < minDigits);
  return Text(std::string_view(p, static_cast<std::size_t>(end - p)));
}

}  // namespace morlune
