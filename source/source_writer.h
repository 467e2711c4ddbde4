// The one path by which shape source text reaches the output: pieces, with
// a line break before any piece that would carry the line past column 65.
#pragma once

#include <string_view>

#include "driver/dump_context.h"
#include "source/piece.h"

namespace morlune {

inline constexpr int kColumnLimit = 65;

// Writes one piece, preceded by a line feed when the output column plus the
// piece's length (its own line feeds included) would pass column 65. The
// column then counts on, and goes back to 0 after a piece that ends with a
// line feed.
void EmitWrapped(DumpContext& context, std::string_view piece);
inline void EmitWrapped(DumpContext& context, const Piece& piece) { EmitWrapped(context, piece.View()); }

}  // namespace morlune
