// UTF-8 both ways, strictly: the one reading of it that names, texts and
// interchange files share.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morlune {

// Appends the character's UTF-8 bytes (one to four).
void AppendUtf8(std::string& text, char32_t character);

// The character whose UTF-8 bytes begin at text[at], and how many bytes
// they take; length 0 where the bytes there are not UTF-8: a stray or
// missing continuation byte, a sequence cut by the end, an overlong form,
// a surrogate or a value past U+10FFFF.
struct Utf8Character {
  char32_t character = 0;
  std::size_t length = 0;
};
Utf8Character ReadUtf8(std::string_view text, std::size_t at);

}  // namespace morlune
