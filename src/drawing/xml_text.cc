// Byte to character, and the escapes of XML.
#include "drawing/xml_text.h"

#include "platform/utf8.h"

namespace morlune {
namespace {

// What stands for a byte that XML cannot hold.
constexpr char32_t kReplacementCharacter = U'\uFFFD';

}  // namespace

void AppendXmlText(std::string& text, std::string_view bytes, std::size_t maxBytes) {
  std::size_t taken = bytes.size() < maxBytes ? bytes.size() : maxBytes;
  for (std::size_t i = 0; i < taken; ++i) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (std::string_view entity = XmlEntity(byte); !entity.empty()) {
      text += entity;
    } else if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) {
      AppendUtf8(text, kReplacementCharacter);
    } else {
      AppendUtf8(text, byte);
    }
  }
  if (taken < bytes.size()) text += "...";
}

void AppendXmlUtf8(std::string& text, std::string_view utf8) {
  for (char c : utf8) {
    if (std::string_view entity = XmlEntity(static_cast<unsigned char>(c)); !entity.empty()) {
      text += entity;
    } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
      text += c;
    }
  }
}

}  // namespace morlune
