// The header text of a record: the font-header lines of each variant and
// the shape header line, with the default name for an unnamed record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "fontfile/font_reader.h"
#include "grammar/item_grammar.h"
#include "platform/short_text.h"
#include "source/char_names.h"
#include "source/source_writer.h"

namespace morlune {

// What a bigfont's font-header lines show besides the record itself.
struct BigfontFacts {
  int nonEmptyCount = 0;
  const std::vector<EscapeRangeEntry>* escapeRanges = nullptr;
};

// The record's name, or its default name when it has none.
std::string_view NameOrDefault(const ShapeRecordHead& head, bool escapedNames, EscapeNameBuffer& buffer);

// The font-header lines of a record with code 0: the "*BIGFONT" line in a
// bigfont, the name line and the values line, from the record's fixed bytes.
void WriteFontHeaderLines(SourceWriter& writer, Variant kind, const ShapeRecordHead& head,
                          std::string_view name, const int* values, const BigfontFacts& bigfont);

// The shape header line of any other record: its code piece and name piece.
void WriteShapeHeaderLine(SourceWriter& writer, std::uint16_t code, int counter, std::string_view name,
                          bool decimalCodes);

// The pieces of the font-header lines, for a text that writes them
// unwrapped at its head.
//
// "*BIGFONT N,R" and the ranges' ",0XX,0YY": straight to the output, never
// wrapped, the output column left alone.
void WriteBigfontLine(SourceWriter& writer, long recordCount, std::span<const EscapeRangeEntry> ranges);
// "*0,COUNT,NAME" ("*UNIFONT,COUNT,NAME" in a unifont) and its line end,
// the name cut as the reader cuts it: at most kMaxNameLineLength
// characters, written at text.
inline constexpr std::size_t kMaxNameLineLength = 16 + ShortText::kMaxNumber + kMaxNameLength + 1;
void AppendNameLine(ShortText& text, Variant kind, int counter, std::string_view name);
// The values, each as the kind writes it, then the 0 that ends the
// record and the line end: at most kMaxItemPiece characters.
void AppendValuesLine(ShortText& text, const int* values, int count, OperandKind kind);

}  // namespace morlune
