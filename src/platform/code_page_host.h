// The code pages of a WebAssembly build's host, for those that its iconv
// (musl's) cannot write: the double-byte pages of bigfonts (CP932, CP936,
// CP949, CP950 and their other names), found with the host's own decoder.
#pragma once

#include <string>
#include <string_view>

namespace morlune {

// A page by iconv's name or the host's label; -1 where the host has none.
int OpenHostCodePage(const std::string& name);
// Appends the bytes of the character in the page; false where it has none.
bool ConvertInHostCodePage(int page, char32_t character, std::string& bytes);
// The one character the bytes stand for in the page; false where they are
// no whole character, or more than one.
bool DecodeInHostCodePage(int page, std::string_view bytes, char32_t& character);

}  // namespace morlune
