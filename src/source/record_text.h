// The header text of a record: the font-header lines of each variant and
// the shape header line, with the default name for an unnamed record.
#pragma once

#include <vector>

#include "fontfile/font_reader.h"
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
void WriteFontHeaderLines(SourceWriter& writer, ShapeFileKind kind, const ShapeRecordHead& head,
                          std::string_view name, const int* values, const BigfontFacts& bigfont);

// The shape header line of any other record: its code piece and name piece.
void WriteShapeHeaderLine(SourceWriter& writer, const ShapeRecordHead& head, std::string_view name,
                          bool decimalCodes);

}  // namespace morlune
