// Fuzz target: the shape specification decoder alone. The first byte sets
// the variant (low two bits) and -d (bit 2); then come shapes, each a
// counter word (low byte first) followed by its specification bytes, all
// decoded in turn until the input ends or the decoder asks to stop.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "source/font_source.h"
#include "source/source_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string text;
  {
    auto kind = static_cast<morlune::Variant>(data[0] & 3);
    bool decimalCodes = (data[0] >> 2) & 1;
    morlune::TextOutput output;
    output.AttachCapture(&text);
    morlune::ByteInput input;
    input.AttachMemory(data + 1, size - 1);
    morlune::SourceWriter writer(output);
    // Every turn takes a whole counter word first, so the loop ends with
    // the input at the latest.
    for (;;) {
      int low = input.Get();
      if (low == morlune::kEndOfInput) break;
      int high = input.Get();
      if (high == morlune::kEndOfInput) break;
      auto counter = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
      if (!morlune::DecodeShapeSpec(input, kind, writer, decimalCodes, counter)) break;
    }
    output.Flush();
  }
  // Every item is far shorter than a line, so the writer must keep every
  // line within the column limit.
  std::size_t lineStart = 0;
  for (std::size_t at = 0; at <= text.size(); ++at) {
    if (at == text.size() || text[at] == '\n') {
      if (at - lineStart > static_cast<std::size_t>(morlune::kColumnLimit)) std::abort();
      lineStart = at + 1;
    }
  }
  return 0;
}
