// UTF-8 bytes from a character, and a character from its bytes with every
// malformed form refused.
#include "platform/utf8.h"

namespace morlune {

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

Utf8Character ReadUtf8(std::string_view text, std::size_t at) {
  if (at >= text.size()) return {};
  unsigned char lead = static_cast<unsigned char>(text[at]);
  // The bytes after the lead byte, by its high bits.
  int more = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
  if (more < 0 || text.size() - at <= static_cast<std::size_t>(more)) return {};
  char32_t value = more == 0 ? lead : lead & (0x3F >> more);
  for (int k = 1; k <= more; ++k) {
    unsigned char next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(k)]);
    if ((next & 0xC0) != 0x80) return {};
    value = value << 6 | (next & 0x3F);
  }
  // Overlong forms, surrogates and values past the last character are no
  // characters.
  static constexpr char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[more] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {};
  return {value, static_cast<std::size_t>(more) + 1};
}

}  // namespace morlune
