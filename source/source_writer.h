// The one path by which shape source text reaches the output: pieces, with
// a line break before any piece that would carry the line past column 65.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/text_output.h"
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

// Ends the current line before a piece that does not fit on it. Inline,
// so that the writer of a record's items stays out of memory.
inline void BreakLine(SourceWriter& writer) {
  writer.output.Put('\n');
  writer.outputColumn = 0;
}

// Writes one piece, preceded by a line feed when the output column plus the
// piece's length (its own line feeds included) would pass column 65. The
// column then counts on, and goes back to 0 after a piece that ends with a
// line feed.
[[gnu::always_inline]] inline void EmitWrapped(SourceWriter& writer, std::string_view piece) {
  // The column never exceeds the longest piece written, so this sum cannot
  // overflow.
  long length = static_cast<long>(piece.size());
  if (writer.outputColumn + length > kColumnLimit) BreakLine(writer);
  writer.output.Write(piece);
  writer.outputColumn += static_cast<std::int32_t>(length);
  if (!piece.empty() && piece.back() == '\n') writer.outputColumn = 0;
}

// A piece formatted straight into the output with piece.text, between
// BeginPiece and an End. It is measured after it is formatted: when it does
// not fit on the line it moves one place on, behind the line feed, which
// happens once a line. Room is made for the longest text the caller may
// write, at most kMaxPieceLength characters.
struct InPlacePiece {
  char* start;
  ShortText text;
};
inline constexpr std::size_t kMaxPieceLength = TextOutput::kMaxReserve - 1 - ShortText::kOverhang;

[[gnu::always_inline]] inline InPlacePiece BeginPiece(SourceWriter& writer, std::size_t maxLength) {
  char* start = writer.output.Reserve(1 + maxLength + ShortText::kOverhang);
  return {start, ShortText{start}};
}

// Ends a piece as EmitWrapped writes one.
inline void EndPiece(SourceWriter& writer, InPlacePiece& piece) {
  std::size_t length = static_cast<std::size_t>(piece.text.at - piece.start);
  char* end = piece.text.at;
  if (writer.outputColumn + static_cast<long>(length) > kColumnLimit) {
    std::memmove(piece.start + 1, piece.start, length);
    *piece.start = '\n';
    ++end;
    writer.outputColumn = 0;
  }
  writer.output.Commit(end);
  writer.outputColumn += static_cast<std::int32_t>(length);
  if (length > 0 && end[-1] == '\n') writer.outputColumn = 0;
}

// The longest piece of a specification item, "7,(0,0FFFF,-128,-128,-128,-128),".
inline constexpr std::size_t kMaxItemPiece = 32;

// Ends a piece begun with room for kMaxItemPiece characters that does not
// end with a line feed: the piece of every item but the vector bytes.
[[gnu::always_inline]] inline void EndItemPiece(SourceWriter& writer, InPlacePiece& piece) {
  std::size_t length = static_cast<std::size_t>(piece.text.at - piece.start);
  char* end = piece.text.at;
  if (writer.outputColumn + static_cast<long>(length) > kColumnLimit) {
    // The whole room moves one place on, in two fixed-width moves through
    // registers rather than a call for the piece's length.
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

// Writes pieces of at most Width characters each, none ending with a line
// feed, up to `most` of them or up to the first of length 0, and returns
// how many it wrote; pieceOf(i) gives the i-th as its Width bytes (the
// text left-aligned) and its length. The column is kept in a register, and
// the room for a share of the pieces is asked for once: a piece and the
// line feed before it take at most Width + 1 bytes, the bytes stored past a
// short piece's end included.
template <std::size_t Width, typename PieceOf>
[[gnu::always_inline]] inline std::size_t EmitShortPieces(SourceWriter& writer, std::size_t most, PieceOf pieceOf) {
  constexpr std::size_t kShare = (TextOutput::kMaxReserve - 1) / (Width + 1);
  std::int32_t column = writer.outputColumn;
  std::size_t i = 0;
  bool stopped = false;
  while (i < most && !stopped) {
    std::size_t end = most - i < kShare ? most : i + kShare;
    char* at = writer.output.Reserve((end - i) * (Width + 1));
    for (; i < end; ++i) {
      const auto& piece = pieceOf(i);
      std::int32_t length = piece.length;
      if (length == 0) {
        stopped = true;
        break;
      }
      if (column + length > kColumnLimit) {
        *at++ = '\n';
        column = 0;
      }
      std::memcpy(at, piece.text, Width);
      at += length;
      column += length;
    }
    writer.output.Commit(at);
  }
  writer.outputColumn = column;
  return i;
}

}  // namespace morlune
