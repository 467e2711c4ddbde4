// One character read from an attribute's UTF-8.
#include "convert/utf8_text.h"


namespace morlune::convert {

char32_t OneCharacter(std::string_view text) {
  Utf8Character read = ReadUtf8(text, 0);
  return read.length == text.size() ? read.character : 0;
}

}  // namespace morlune::convert
