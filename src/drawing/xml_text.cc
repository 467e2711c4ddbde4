// Byte to character, and the escapes of XML.
#include "drawing/xml_text.h"

namespace morlune {

void AppendXmlText(std::string& text, std::string_view bytes, std::size_t maxBytes) {
  std::size_t taken = bytes.size() < maxBytes ? bytes.size() : maxBytes;
  for (std::size_t i = 0; i < taken; ++i) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    switch (byte) {
      case '&':
        text += "&amp;";
        continue;
      case '<':
        text += "&lt;";
        continue;
      case '>':
        text += "&gt;";
        continue;
      case '"':
        text += "&quot;";
        continue;
      default:
        break;
    }
    if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) {
      text += "\xEF\xBF\xBD";
    } else if (byte < 0x80) {
      text += static_cast<char>(byte);
    } else {
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  if (taken < bytes.size()) text += "...";
}

}  // namespace morlune
