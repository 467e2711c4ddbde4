// Characters as the interchange files hold them: UTF-8 both ways, and the
// "U+XXXX" by which messages name a character. The converter's own: the
// drawing's decoder sits among headers that the public types clash with.
#pragma once

#include <string>
#include <string_view>

namespace morlune::convert {

void AppendUtf8(std::string& text, char32_t character);

// The one character the text holds in UTF-8, or 0 where it holds none,
// several, or bytes that are not UTF-8.
char32_t OneCharacter(std::string_view text);

// "U+" and at least four hexadecimal digits.
std::string CharacterName(char32_t character);

}  // namespace morlune::convert
