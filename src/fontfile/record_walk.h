// The walk of a compiled font held in memory, record by record in the order
// and from the places that the decompiler reads them, each record given as
// spans of the font's bytes: for the tools that need a record's bytes
// rather than its text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fontfile/font_reader.h"

namespace morlune {

struct WalkedRecord {
  std::uint16_t code = 0;
  std::int16_t counter = 0;  // the data bytes the record declares
  // The name as kept (at most kMaxNameLength bytes) and the specification:
  // the declared data bytes after the name's zero byte, those of them that
  // the font holds (none when the counter is 0 or below).
  std::size_t nameOffset = 0;
  std::size_t nameLength = 0;
  std::size_t specOffset = 0;
  std::size_t specSize = 0;
};

struct FontWalk {
  HeadResult head = HeadResult::kReady;
  // kEnd, or kSeekError where a bigfont record could not be reached.
  RecordStep end = RecordStep::kEnd;
  std::vector<WalkedRecord> records;
  // Records the header or index announces that the walk never reached: the
  // file ends before them, or a bigfont entry points where it cannot go.
  std::size_t unreached = 0;
  std::vector<EscapeRangeEntry> escapeRanges;  // a bigfont's, in file order
};

// Walks the records of a font of the given variant whose bytes are data;
// the signature's length, headStart, is where the variant's header begins.
FontWalk WalkFontRecords(const unsigned char* data, std::size_t size, std::size_t headStart, Variant kind);

}  // namespace morlune
