// The shape codes of a line of text: UTF-8 in, one code per character of
// the font out, by the variant's way of numbering its characters.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "fontfile/index_entries.h"
#include "grammar/shape_file_kind.h"

namespace morlune {

// Decodes UTF-8; false when the text is not valid UTF-8 (overlong forms,
// surrogates and values past U+10FFFF included) or holds U+0000.
bool DecodeUtf8(std::string_view text, std::vector<char32_t>& characters);

// "U+" and four to six hexadecimal digits, as few as the value needs.
std::string CharacterName(char32_t character);

// Writes a character in the font's code page: false where it has none.
using CodePageWriter = std::function<bool(char32_t character, std::string& bytes)>;

// Tells a character that has no code in the font, and why.
using UnmappedCharacter = std::function<void(char32_t character, const std::string& why)>;

// Shapes fonts: a character from U+0001 to U+00FF is its own code. Unifont:
// the code point, up to U+FFFF. Bigfont: the text in the font's code page
// (toCodePage; without one, the UTF-8 bytes as they are), where a byte in an
// escape range joins the byte after it into a two-byte code.
std::vector<std::uint16_t> TextCodes(const std::vector<char32_t>& characters, std::string_view utf8,
                                     ShapeFileKind kind, const std::vector<EscapeRangeEntry>& escapes,
                                     const CodePageWriter& toCodePage, const UnmappedCharacter& unmapped);

}  // namespace morlune
