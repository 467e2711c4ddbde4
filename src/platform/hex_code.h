// A shape code and a character as messages, listings and source headers
// name them: upper-case hexadecimal, four digits at least, a character
// after "U+".
#pragma once

#include <cstdint>
#include <string>

#include "platform/short_text.h"

namespace morlune {

// "0041" for code 0x41; a code past 16 bits keeps all its digits.
inline std::string CodeHex(std::uint32_t code) {
  char digits[8 + ShortText::kOverhang];
  ShortText text{digits};
  text.Hex(code, 4);
  return std::string(digits, text.at);
}

// "U+0041" for A, "U+1F600" past the first plane.
inline std::string CharacterName(char32_t character) { return "U+" + CodeHex(character); }

}  // namespace morlune
