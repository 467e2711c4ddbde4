// Names cleaned for the naming table and written as UTF-16BE records.
#include "convert/opentype/name_table.h"

#include <cstdio>
#include <string_view>
#include <utility>

#include "convert/opentype/big_endian.h"

namespace morlune::convert {
namespace {

constexpr std::size_t kMostFamilyCharacters = 63;
constexpr std::size_t kMostPostScriptBytes = 63;
constexpr std::string_view kStyle = "Regular";

// One character from UTF-8 at text[at], advancing at; U+FFFD for a byte
// that does not begin a well-formed sequence.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(at);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  int more = lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2 : lead >= 0xF0 && lead <= 0xF4 ? 3 : -1;
  if (more < 0 || text.size() - at <= static_cast<std::size_t>(more)) {
    ++at;
    return 0xFFFD;
  }
  char32_t c = lead & (0x3F >> more);
  for (int k = 1; k <= more; ++k) {
    unsigned char next = byte(at + static_cast<std::size_t>(k));
    if ((next & 0xC0) != 0x80) {
      ++at;
      return 0xFFFD;
    }
    c = c << 6 | (next & 0x3F);
  }
  // Overlong forms, surrogates and values past the last character.
  static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (c < kLeast[more] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
    ++at;
    return 0xFFFD;
  }
  at += static_cast<std::size_t>(more) + 1;
  return c;
}

void Utf16(BigEndianBytes& out, std::u32string_view text) {
  for (char32_t c : text) {
    if (c >= 0x10000) {
      char32_t v = c - 0x10000;
      out.U16(static_cast<std::uint16_t>(0xD800 + (v >> 10)));
      out.U16(static_cast<std::uint16_t>(0xDC00 + (v & 0x3FF)));
    } else {
      out.U16(static_cast<std::uint16_t>(c));
    }
  }
}

std::u32string Wide(std::string_view ascii) { return std::u32string(ascii.begin(), ascii.end()); }

}  // namespace

std::u32string FamilyName(const std::string& text) {
  std::u32string family;
  for (std::size_t at = 0; at < text.size();) {
    char32_t c = NextCharacter(text, at);
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) continue;
    if (c == U' ' && (family.empty() || family.back() == U' ')) continue;
    family.push_back(c);
  }
  while (!family.empty() && family.back() == U' ') family.pop_back();
  if (family.size() > kMostFamilyCharacters) family.resize(kMostFamilyCharacters);
  while (!family.empty() && family.back() == U' ') family.pop_back();
  if (family.empty()) family = U"Untitled";
  return family;
}

std::string PostScriptName(const std::u32string& family) {
  constexpr std::string_view kForbidden = "[](){}<>/%";
  std::string name;
  for (char32_t c : family) {
    if (c > 0x20 && c < 0x7F && kForbidden.find(static_cast<char>(c)) == std::string_view::npos) {
      name.push_back(static_cast<char>(c));
    }
  }
  if (name.empty()) {
    // FNV-1a over the characters: a name that differs with the family.
    std::uint32_t hash = 2166136261u;
    for (char32_t c : family) {
      for (int k = 0; k < 4; ++k) {
        hash ^= static_cast<std::uint8_t>(c >> (8 * k));
        hash *= 16777619u;
      }
    }
    char text[16];
    std::snprintf(text, sizeof text, "Font%08X", static_cast<unsigned>(hash));
    name = text;
  }
  std::size_t room = kMostPostScriptBytes - 1 - kStyle.size();
  if (name.size() > room) name.resize(room);
  return name + "-" + std::string(kStyle);
}

std::vector<std::uint8_t> NameTable(const FontNames& names) {
  // Name ids: 1 family, 2 style, 3 unique id, 4 full name, 5 version,
  // 6 PostScript name; Windows platform, Unicode BMP encoding, US English.
  const std::pair<std::uint16_t, std::u32string> records[] = {
      {1, names.family},         {2, Wide(kStyle)},   {3, Wide(names.uniqueId)},
      {4, names.family},         {5, Wide(names.version)}, {6, Wide(names.postScript)},
  };
  BigEndianBytes strings;
  BigEndianBytes table;
  constexpr std::uint16_t kCount = static_cast<std::uint16_t>(std::size(records));
  table.U16(0);
  table.U16(kCount);
  table.U16(static_cast<std::uint16_t>(6 + 12 * kCount));
  for (const auto& [id, text] : records) {
    std::size_t at = strings.Size();
    Utf16(strings, text);
    table.U16(3);
    table.U16(1);
    table.U16(0x0409);
    table.U16(id);
    table.U16(static_cast<std::uint16_t>(strings.Size() - at));
    table.U16(static_cast<std::uint16_t>(at));
  }
  table.Bytes(strings.Data());
  return table.Take();
}

}  // namespace morlune::convert
