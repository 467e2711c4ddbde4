// The input compiled first where it is shape source text.
#include "tools/morlune-draw/font_input.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/compile_source.h"

namespace morlune {

FontFromInput CompiledFontBytes(std::vector<unsigned char> input) {
  FontFromInput font;
  std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
  if (!IsShapeSourceText(text)) {
    font.bytes = std::move(input);
    return font;
  }
  font.fromSource = true;
  if (std::optional<std::string> compiled = CompileSource(text, CompileOptions{}, font.problems)) {
    font.bytes.assign(compiled->begin(), compiled->end());
  }
  return font;
}

}  // namespace morlune
