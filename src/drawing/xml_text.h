// Names and other bytes of the font as text of an SVG document.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morlune {

// The entity that stands for a character that markup takes for its own
// (&, <, > and "), or empty for any other character.
constexpr std::string_view XmlEntity(char32_t c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    default:
      return {};
  }
}

// Appends the bytes as XML character data: each byte is the character of
// the same value (as the decompiler takes names), written in UTF-8, with
// &, <, > and " escaped; control bytes, which XML cannot hold, become
// U+FFFD. At most maxBytes bytes are taken; a name cut there ends in "...".
void AppendXmlText(std::string& text, std::string_view bytes, std::size_t maxBytes);

// Appends text that is UTF-8 already (a file's name) as XML character data:
// the same escapes; the control characters that XML cannot hold (all below
// U+0020 but the tab) are left out.
void AppendXmlUtf8(std::string& text, std::string_view utf8);

}  // namespace morlune
