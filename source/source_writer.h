// The one path by which shape source text reaches the output: pieces, with
// a line break before any piece that would carry the line past column 65.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/text_output.h"
#include "source/piece.h"

namespace morlune {

inline constexpr int kColumnLimit = 65;

// The output of source text and its column: characters written since the
// last line end.
struct SourceWriter {
  explicit SourceWriter(TextOutput& out) : output(out) {}
  TextOutput& output;
  std::int32_t outputColumn = 0;
};

// Ends the current line before a piece that does not fit on it.
void BreakLine(SourceWriter& writer);

namespace source_writer_detail {
// The wrap test, the write and the column for a piece's text. A padded text
// has TextOutput::kPaddedWidth readable bytes, and goes out in one
// fixed-width move.
[[gnu::always_inline]] inline void EmitText(SourceWriter& writer, std::string_view text, bool padded) {
  // The column never exceeds the longest piece written, so this sum cannot
  // overflow.
  long length = static_cast<long>(text.size());
  if (writer.outputColumn + length > kColumnLimit) BreakLine(writer);
  if (padded) {
    writer.output.WritePadded(text.data(), text.size());
  } else {
    writer.output.Write(text);
  }
  writer.outputColumn += static_cast<std::int32_t>(length);
  if (!text.empty() && text.back() == '\n') writer.outputColumn = 0;
}
}  // namespace source_writer_detail

// Writes one piece, preceded by a line feed when the output column plus the
// piece's length (its own line feeds included) would pass column 65. The
// column then counts on, and goes back to 0 after a piece that ends with a
// line feed. Inline, as it runs for every item of every shape.
[[gnu::always_inline]] inline void EmitWrapped(SourceWriter& writer, std::string_view piece) {
  source_writer_detail::EmitText(writer, piece, false);
}
// A short piece still lies in its local buffer, which holds far more than
// TextOutput::kPaddedWidth bytes.
[[gnu::always_inline]] inline void EmitWrapped(SourceWriter& writer, const Piece& piece) {
  std::string_view text = piece.View();
  source_writer_detail::EmitText(writer, text, text.size() <= TextOutput::kPaddedWidth);
}

}  // namespace morlune
