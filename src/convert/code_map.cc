// The code map of each variant: code points, Latin-1 with the three
// symbols, or a code page asked of the system's converter.
#include "convert/code_map.h"

#include "platform/code_page.h"

namespace morlune::convert {
namespace {

// The codes that a shapes font keeps for its symbols, in place of the
// control characters that Latin-1 has there.
constexpr std::uint32_t kDegreeCode = 127;
constexpr std::uint32_t kPlusMinusCode = 128;
constexpr std::uint32_t kDiameterCode = 129;

constexpr char32_t kLastBmp = 0xFFFF;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

std::optional<CodeMap> CodeMap::For(Variant variant, const std::string& encoding, std::string& problem) {
  CodeMap map;
  if (variant == Variant::kUnifont) {
    map.kind_ = Kind::kCodePoints;
    return map;
  }
  bool bigfont = variant == Variant::kBigfont;
  if (encoding.empty()) {
    if (bigfont) {
      problem = "a bigfont's codes need --encoding to say their code page";
      return std::nullopt;
    }
    map.kind_ = Kind::kLatin1Symbols;
    return map;
  }
  CodePageConverter converter;
  if (!converter.Open(encoding)) {
    problem = "unknown encoding '" + encoding + "'";
    return std::nullopt;
  }
  // Each code stands for what the code page decodes it to: a byte alone,
  // or for a bigfont two bytes that make one character together.
  map.kind_ = Kind::kCodePage;
  map.characters_.assign(bigfont ? 0x10000 : 0x100, 0);
  std::string bytes;
  for (std::uint32_t code = 1; code < map.characters_.size(); ++code) {
    bytes.clear();
    if (code > 0xFF) bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
    char32_t character = 0;
    if (converter.Decode(bytes, character) && character != 0) map.characters_[code] = character;
  }
  // A character goes to the code the code page writes it as, which may be
  // one that decodes to another (the code page's one-way mappings); one
  // that it decodes to but never writes, to the first code it decodes from.
  for (char32_t c = 1; c <= kLastBmp; ++c) {
    if (IsSurrogate(c)) continue;
    bytes.clear();
    if (!converter.Convert(c, bytes)) continue;
    std::uint32_t code;
    if (bytes.size() == 1) {
      code = static_cast<unsigned char>(bytes[0]);
    } else if (bigfont && bytes.size() == 2) {
      code = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[0])) << 8 |
             static_cast<unsigned char>(bytes[1]);
    } else {
      continue;
    }
    if (code != 0) map.codes_.emplace(c, code);
  }
  for (std::uint32_t code = 1; code < map.characters_.size(); ++code) {
    if (map.characters_[code] != 0) map.codes_.emplace(map.characters_[code], code);
  }
  return map;
}

std::optional<char32_t> CodeMap::CharacterOf(std::uint32_t code) const {
  if (code == 0) return std::nullopt;
  switch (kind_) {
    case Kind::kCodePoints:
      return code <= kLastBmp && !IsSurrogate(code) ? std::optional<char32_t>(code) : std::nullopt;
    case Kind::kLatin1Symbols:
      if (code > 0xFF) return std::nullopt;
      if (code == kDegreeCode) return kDegreeSign;
      if (code == kPlusMinusCode) return kPlusMinusSign;
      if (code == kDiameterCode) return kDiameterSign;
      return static_cast<char32_t>(code);
    case Kind::kCodePage:
      if (code >= characters_.size() || characters_[code] == 0) return std::nullopt;
      return characters_[code];
  }
  return std::nullopt;
}

std::optional<std::uint32_t> CodeMap::CodeOf(char32_t character) const {
  if (character == 0) return std::nullopt;
  switch (kind_) {
    case Kind::kCodePoints:
      return character <= kLastBmp && !IsSurrogate(character) ? std::optional<std::uint32_t>(character)
                                                               : std::nullopt;
    case Kind::kLatin1Symbols:
      if (character == kDiameterSign) return kDiameterCode;
      // Degree and plus-minus have Latin-1 codes of their own, which a font
      // written from outside takes.
      if (character > 0xFF || character == kDegreeCode || character == kPlusMinusCode ||
          character == kDiameterCode) {
        return std::nullopt;
      }
      return static_cast<std::uint32_t>(character);
    case Kind::kCodePage: {
      auto found = codes_.find(character);
      if (found == codes_.end()) return std::nullopt;
      return found->second;
    }
  }
  return std::nullopt;
}

}  // namespace morlune::convert
