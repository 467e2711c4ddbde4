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

// Writes one piece, preceded by a line feed when the output column plus the
// piece's length (its own line feeds included) would pass column 65. The
// column then counts on, and goes back to 0 after a piece that ends with a
// line feed. Inline, as it runs for every item of every shape.
inline void EmitWrapped(DumpContext& context, std::string_view piece) {
  // The column never exceeds the longest piece written, so this sum cannot
  // overflow.
  long length = static_cast<long>(piece.size());
  if (context.outputColumn + length > kColumnLimit) BreakLine(context);
  context.output.Write(piece);
  context.outputColumn += static_cast<std::int32_t>(length);
  if (!piece.empty() && piece.back() == '\n') context.outputColumn = 0;
}
inline void EmitWrapped(DumpContext& context, const Piece& piece) { EmitWrapped(context, piece.View()); }

}  // namespace morlune
