// Characters to codes for each variant, and for a font beside a bigfont.
#include "drawing/text_codes.h"

#include "platform/utf8.h"

namespace morlune {

bool DecodeUtf8(std::string_view text, std::vector<char32_t>& characters) {
  characters.clear();
  for (std::size_t i = 0; i < text.size();) {
    Utf8Character read = ReadUtf8(text, i);
    if (read.length == 0 || read.character == 0) return false;
    characters.push_back(read.character);
    i += read.length;
  }
  return true;
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
  bool bigfont = numbering.kind == Variant::kBigfont || numbering.withBigfont;
  bool unifont = numbering.kind == Variant::kUnifont;
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
