// The naming table (name): family, style, unique id, full name, version
// and PostScript name, as Windows-platform UTF-16 records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morlune::convert {

struct FontNames {
  std::u32string family;  // as cleaned by FamilyName
  std::string postScript;
  std::string uniqueId;
  std::string version;    // "Version 1.000"
};

// The family from UTF-8 text: malformed bytes become U+FFFD, control
// characters are dropped, spaces trimmed, at most 63 characters kept;
// "Untitled" where nothing is left.
std::u32string FamilyName(const std::string& text);

// The PostScript name: the family's printable ASCII less spaces and
// []{}()<>/%, "-Regular" after, at most 63 bytes; where the family has no
// such characters, "Font" and eight hex digits of its characters' hash.
std::string PostScriptName(const std::u32string& family);

std::vector<std::uint8_t> NameTable(const FontNames& names);

}  // namespace morlune::convert
