// The shape codes of a line of text: UTF-8 in, one code per character of
// the font out, by the variant's way of numbering its characters.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>
#include <morlune/compile.h>

#include "fontfile/index_entries.h"
#include "platform/hex_code.h"

namespace morlune {

// Decodes UTF-8; false when the text is not valid UTF-8 (overlong forms,
// surrogates and values past U+10FFFF included) or holds U+0000.
bool DecodeUtf8(std::string_view text, std::vector<char32_t>& characters);

// Writes a character in the font's code page: false where it has none.
using CodePageWriter = std::function<bool(char32_t character, std::string& bytes)>;

// Tells a character that has no code in the font, and why.
using UnmappedCharacter = std::function<void(char32_t character, const std::string& why)>;

// A code of the text and where it comes from.
struct TextCode {
  std::uint16_t code = 0;
  bool fromBigfont = false;   // drawn from the bigfont beside the font
  std::size_t character = 0;  // the character it starts in, by its place in the text
};

// How the fonts number the text's characters.
struct TextNumbering {
  Variant kind = Variant::kShapes11;  // of the font
  // The escape ranges that begin two-byte codes: a bigfont's own, or those
  // of the bigfont beside a shapes font or unifont; empty otherwise.
  const std::vector<EscapeRangeEntry>* escapes = nullptr;
  bool withBigfont = false;  // two-byte codes are the bigfont's, the others the font's
};

// The codes of the characters. A unifont alone takes code points up to
// U+FFFF, a shapes font alone without a code page U+0001 to U+00FF. Any
// other text is bytes, in the code page (toCodePage) or without one the
// UTF-8 bytes as they are: a shapes font alone takes each byte as a code; a
// bigfont, alone or beside a font, joins a byte in an escape range and the
// byte after it into a two-byte code (an escape byte at the very end is a
// code of its own), and beside a font every other byte is a one-byte code
// of the font.
std::vector<TextCode> TextCodes(const std::vector<char32_t>& characters, const TextNumbering& numbering,
                                const CodePageWriter& toCodePage, const UnmappedCharacter& unmapped);

}  // namespace morlune
