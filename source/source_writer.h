// The one path by which shape source text reaches the output: pieces, with
// a line break before any piece that would carry the line past column 65.
#pragma once

#include <string_view>

#include "driver/dump_context.h"
#include "source/piece.h"

namespace morlune {

inline constexpr int kColumnLimit = 65;

// Ends the current line before a piece that does not fit on it.
void BreakLine(DumpContext& context);

namespace source_writer_detail {
// The wrap test, the write and the column for a piece's text. A padded text
// has TextOutput::kPaddedWidth readable bytes, and goes out in one
// fixed-width move.
[[gnu::always_inline]] inline void EmitText(DumpContext& context, std::string_view text, bool padded) {
  // The column never exceeds the longest piece written, so this sum cannot
  // overflow.
  long length = static_cast<long>(text.size());
  if (context.outputColumn + length > kColumnLimit) BreakLine(context);
  if (padded) {
    context.output.WritePadded(text.data(), text.size());
  } else {
    context.output.Write(text);
  }
  context.outputColumn += static_cast<std::int32_t>(length);
  if (!text.empty() && text.back() == '\n') context.outputColumn = 0;
}
}  // namespace source_writer_detail

// Writes one piece, preceded by a line feed when the output column plus the
// piece's length (its own line feeds included) would pass column 65. The
// column then counts on, and goes back to 0 after a piece that ends with a
// line feed. Inline, as it runs for every item of every shape.
[[gnu::always_inline]] inline void EmitWrapped(DumpContext& context, std::string_view piece) {
  source_writer_detail::EmitText(context, piece, false);
}
// A short piece still lies in its local buffer, which holds far more than
// TextOutput::kPaddedWidth bytes.
[[gnu::always_inline]] inline void EmitWrapped(DumpContext& context, const Piece& piece) {
  std::string_view text = piece.View();
  source_writer_detail::EmitText(context, text, text.size() <= TextOutput::kPaddedWidth);
}

}  // namespace morlune
