// Reading the whole input, in growing blocks up to the end of input, and
// compiling it first where it is shape source text.
#include "draw_driver/font_input.h"

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/compile_source.h"
#include "platform/file_io.h"

namespace morlune {

InputBytes ReadAllFrom(int fd) {
  InputBytes input;
  constexpr std::size_t kBlock = 1 << 16;
  std::size_t size = 0;
  for (;;) {
    if (input.bytes.size() - size < kBlock) input.bytes.resize(size + kBlock + size / 2);
    long got = ReadFd(fd, input.bytes.data() + size, input.bytes.size() - size);
    if (got == 0) break;
    if (got < 0) {
      input.error = errno != 0 ? errno : EIO;
      break;
    }
    size += static_cast<std::size_t>(got);
  }
  input.bytes.resize(size);
  return input;
}

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
