// Characters as the interchange files hold them: UTF-8 both ways (its
// reading and writing are the platform's) and one character alone, and the
// "U+XXXX" by which messages name a character.
#pragma once

#include <string>
#include <string_view>

#include "platform/hex_code.h"
#include "platform/utf8.h"

namespace morlune::convert {

// The one character the text holds in UTF-8, or 0 where it holds none,
// several, or bytes that are not UTF-8.
char32_t OneCharacter(std::string_view text);

}  // namespace morlune::convert
