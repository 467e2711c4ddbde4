// The one path by which shape source text reaches the output: pieces, with
// a line break before any piece that would carry the line past column 65.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/text_output.h"
#include "source/piece.h"
#include "source/short_text.h"

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

// The longest piece of a specification item, "7,(0,0FFFF,-128,-128,-128,-128),".
inline constexpr std::size_t kMaxItemPiece = 32;

// One piece of at most kMaxItemPiece characters, not ending with a line
// feed, formatted straight into the output with piece.text between
// BeginShortPiece and EndShortPiece. The piece is measured after it is
// formatted: when it does not fit on the line it moves one place on, behind
// the line feed, which happens once a line.
struct InPlacePiece {
  char* start;
  ShortText text;
};

[[gnu::always_inline]] inline InPlacePiece BeginShortPiece(SourceWriter& writer) {
  char* start = writer.output.Reserve(1 + kMaxItemPiece + ShortText::kOverhang);
  return {start, ShortText{start}};
}

[[gnu::always_inline]] inline void EndShortPiece(SourceWriter& writer, InPlacePiece& piece) {
  std::size_t length = static_cast<std::size_t>(piece.text.at - piece.start);
  char* end = piece.text.at;
  if (writer.outputColumn + static_cast<long>(length) > kColumnLimit) {
    // A fixed-width move of the room's head: one place on, in two moves
    // through registers rather than a call for the piece's length.
    char moved[kMaxItemPiece];
    std::memcpy(moved, piece.start, kMaxItemPiece);
    std::memcpy(piece.start + 1, moved, kMaxItemPiece);
    *piece.start = '\n';
    ++end;
    writer.outputColumn = 0;
  }
  writer.output.Commit(end);
  writer.outputColumn += static_cast<std::int32_t>(length);
}

// Writes count pieces of Width characters each, none ending with a line
// feed; textOf(i) gives the Width bytes of the i-th. The wrap test is made
// once a line: as many pieces as fit go on the line, then a line feed.
template <std::size_t Width, typename TextOf>
[[gnu::always_inline]] inline void EmitEvenPieces(SourceWriter& writer, std::size_t count, TextOf textOf) {
  constexpr std::int32_t kWidth = static_cast<std::int32_t>(Width);
  std::size_t i = 0;
  while (i < count) {
    if (writer.outputColumn > kColumnLimit - kWidth) BreakLine(writer);
    std::size_t fit = static_cast<std::size_t>((kColumnLimit - writer.outputColumn) / kWidth);
    std::size_t take = count - i < fit ? count - i : fit;
    char* at = writer.output.Reserve(take * Width);
#pragma GCC unroll 4
    for (std::size_t end = i + take; i < end; ++i, at += Width) std::memcpy(at, textOf(i), Width);
    writer.output.Commit(at);
    writer.outputColumn += static_cast<std::int32_t>(take) * kWidth;
  }
}

}  // namespace morlune
