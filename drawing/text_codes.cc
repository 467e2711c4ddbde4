// Characters to codes for each variant.
#include "drawing/text_codes.h"

namespace morlune {

bool DecodeUtf8(std::string_view text, std::vector<char32_t>& characters) {
  characters.clear();
  for (std::size_t i = 0; i < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    int more = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
    if (more < 0 || text.size() - i <= static_cast<std::size_t>(more)) return false;
    char32_t value = more == 0 ? lead : lead & (0x3F >> more);
    for (int k = 1; k <= more; ++k) {
      unsigned char next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      value = value << 6 | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    if (value == 0 || value < kSmallest[more] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
      return false;
    }
    characters.push_back(value);
    i += static_cast<std::size_t>(more) + 1;
  }
  return true;
}

std::string CharacterName(char32_t character) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text = "U+";
  int digits = character > 0xFFFFF ? 6 : character > 0xFFFF ? 5 : 4;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text += kDigits[(character >> shift) & 0xF];
  return text;
}

namespace {

bool IsEscape(unsigned char byte, const std::vector<EscapeRangeEntry>& escapes) {
  for (const EscapeRangeEntry& range : escapes) {
    if (byte >= range.first && byte <= range.last) return true;
  }
  return false;
}

}  // namespace

std::vector<std::uint16_t> TextCodes(const std::vector<char32_t>& characters, std::string_view utf8,
                                     ShapeFileKind kind, const std::vector<EscapeRangeEntry>& escapes,
                                     const CodePageWriter& toCodePage, const UnmappedCharacter& unmapped) {
  std::vector<std::uint16_t> codes;
  if (kind != ShapeFileKind::kBigfont10) {
    char32_t last = kind == ShapeFileKind::kUnifont10 ? 0xFFFF : 0xFF;
    for (char32_t character : characters) {
      if (character <= last) {
        codes.push_back(static_cast<std::uint16_t>(character));
      } else {
        unmapped(character, "the font's codes end at " + CharacterName(last));
      }
    }
    return codes;
  }
  std::string bytes;
  if (!toCodePage) {
    bytes = utf8;
  } else {
    std::string one;
    for (char32_t character : characters) {
      one.clear();
      if (toCodePage(character, one)) {
        bytes += one;
      } else {
        unmapped(character, "the code page has no such character");
      }
    }
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (IsEscape(byte, escapes) && i + 1 < bytes.size()) {
      codes.push_back(static_cast<std::uint16_t>(byte << 8 | static_cast<unsigned char>(bytes[++i])));
    } else {
      codes.push_back(byte);
    }
  }
  return codes;
}

}  // namespace morlune
