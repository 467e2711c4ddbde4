// Characters to codes for each variant, and for a font beside a bigfont.
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

bool IsEscape(unsigned char byte, const std::vector<EscapeRangeEntry>* escapes) {
  if (escapes == nullptr) return false;
  for (const EscapeRangeEntry& range : *escapes) {
    if (byte >= range.first && byte <= range.last) return true;
  }
  return false;
}

void AppendUtf8(char32_t character, std::string& bytes) {
  if (character < 0x80) {
    bytes += static_cast<char>(character);
    return;
  }
  int more = character < 0x800 ? 1 : character < 0x10000 ? 2 : 3;
  static constexpr unsigned char kLead[4] = {0, 0xC0, 0xE0, 0xF0};
  bytes += static_cast<char>(kLead[more] | (character >> (6 * more)));
  for (int k = more - 1; k >= 0; --k) bytes += static_cast<char>(0x80 | ((character >> (6 * k)) & 0x3F));
}

}  // namespace

std::vector<TextCode> TextCodes(const std::vector<char32_t>& characters, const TextNumbering& numbering,
                                const CodePageWriter& toCodePage, const UnmappedCharacter& unmapped) {
  std::vector<TextCode> codes;
  bool bigfont = numbering.kind == ShapeFileKind::kBigfont10 || numbering.withBigfont;
  bool unifont = numbering.kind == ShapeFileKind::kUnifont10;
  if (!bigfont && (unifont || !toCodePage)) {
    char32_t last = unifont ? 0xFFFF : 0xFF;
    for (std::size_t i = 0; i < characters.size(); ++i) {
      if (characters[i] <= last) {
        codes.push_back({static_cast<std::uint16_t>(characters[i]), false, i});
      } else {
        unmapped(characters[i], "the font's codes end at " + CharacterName(last));
      }
    }
    return codes;
  }
  // The bytes, each with the character it comes from.
  std::string bytes, one;
  std::vector<std::size_t> from;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    one.clear();
    if (!toCodePage) {
      AppendUtf8(characters[i], one);
    } else if (!toCodePage(characters[i], one)) {
      unmapped(characters[i], "the code page has no such character");
      continue;
    }
    bytes += one;
    from.insert(from.end(), one.size(), i);
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (!bigfont) {
      codes.push_back({byte, false, from[i]});
    } else if (IsEscape(byte, numbering.escapes) && i + 1 < bytes.size()) {
      unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
      codes.push_back({static_cast<std::uint16_t>(byte << 8 | second), numbering.withBigfont, from[i]});
      ++i;
    } else {
      bool escape = IsEscape(byte, numbering.escapes);
      codes.push_back({byte, numbering.withBigfont && escape, from[i]});
    }
  }
  return codes;
}

}  // namespace morlune
