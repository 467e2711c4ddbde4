// The one path by which shape source text reaches the output: pieces, with
// a line break before any piece that would carry the line past column 65.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/short_text.h"
#include "platform/text_output.h"

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

// A run of pieces written in place with the column in a register, the room
// for a share of them asked for once (RunRoom). Each piece is formatted at
// `at` first; PlaceRunPiece then moves it one place on, behind a line feed,
// when it does not fit on the line. A piece is at most kMaxRunPiece
// characters and takes at most kRunRoomPerByte bytes of room per byte of
// the font that it stands for, its line feed included.
inline constexpr std::size_t kMaxRunPiece = 16;
inline constexpr std::size_t kRunRoomPerByte = 5;
constexpr std::size_t RunRoom(std::size_t bytes) {
  return bytes * kRunRoomPerByte + kMaxRunPiece + 1 + ShortText::kOverhang;
}
// The most bytes of the font one Reserve may cover.
inline constexpr std::size_t kRunShare = (TextOutput::kMaxReserve - RunRoom(0)) / kRunRoomPerByte;

[[gnu::always_inline]] inline void PlaceRunPiece(char* start, char*& at, std::int32_t& column) {
  auto length = static_cast<std::int32_t>(at - start);
  if (column + length > kColumnLimit) {
    char moved[kMaxRunPiece];
    std::memcpy(moved, start, kMaxRunPiece);
    std::memcpy(start + 1, moved, kMaxRunPiece);
    *start = '\n';
    ++at;
    column = 0;
  }
  column += length;
}

}  // namespace morlune
