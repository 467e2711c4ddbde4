// Names and other bytes of the font as text of an SVG document.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morlune {

// Appends the bytes as XML character data: each byte is the character of
// the same value (as the decompiler takes names), written in UTF-8, with
// &, <, > and " escaped; control bytes, which XML cannot hold, become
// U+FFFD. At most maxBytes bytes are taken; a name cut there ends in "...".
void AppendXmlText(std::string& text, std::string_view bytes, std::size_t maxBytes);

}  // namespace morlune
