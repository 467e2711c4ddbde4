// Reading a compiled font's records in the variant's order: the header and
// index, then one record at a time with its code, length, counter and name.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>
#include <morlune/compile.h>

#include "fontfile/index_entries.h"
#include "platform/byte_input.h"

namespace morlune {

// Why the header or index could not be used; the font has no records then.
enum class HeadResult {
  kReady,
  kNoShapeIndex,   // a shapes index cut short by the end of input
  kNoHashTable,    // a bigfont index that is negative or cut short
  kBadEntrySize,   // a bigfont entry size other than 8
};

enum class RecordStep {
  kReady,      // the record's head is read; the input stands at its data
  kSkip,       // a bigfont entry of length 0: nothing to read or write
  kEnd,        // every record was handed out, or the input ended in a name
  kSeekError,  // a bigfont record's offset cannot be reached
};

// A name keeps at most this many bytes; longer names are cut, but all their
// bytes are still read and counted.
inline constexpr int kMaxNameLength = 1023;

struct ShapeRecordHead {
  std::uint16_t code = 0;
  std::uint16_t length = 0;
  // The record's bytes not yet read: the length less the name and its zero
  // byte. Signed 16-bit, wrapping.
  std::int16_t counter = 0;
  // Where the name begins in the input, and the name as kept.
  std::int64_t nameOffset = 0;
  int nameLength = 0;
  char name[kMaxNameLength];
  std::string_view Name() const { return std::string_view(name, static_cast<std::size_t>(nameLength)); }
};

class FontReader {
 public:
  // The input stands right behind the signature of a font of this variant.
  FontReader(ByteInput& input, Variant kind) : input_(input), kind_(kind) {}

  Variant Kind() const { return kind_; }
  ByteInput& Input() { return input_; }

  // Reads the variant's header and index.
  HeadResult ReadHead();

  // The next record in the variant's order, its name read. Records follow
  // one another in shapes and unifont files, so a record's data must be
  // read (ReadShapeItems, ReadFontHeaderValues) before the next is asked for.
  RecordStep NextShapeRecord(ShapeRecordHead& head);

  // The font-header record's fixed bytes, each 0xFF where the input ended:
  // 4 in shapes and bigfont fonts, 6 in a unifont. Returns how many.
  int ReadFontHeaderValues(int values[6]);

  // The bigfont's escape ranges in file order, and the number of index
  // entries whose length is above 0 as a signed 16-bit value.
  const std::vector<EscapeRangeEntry>& EscapeRanges() const { return escapeRanges_; }
  int NonEmptyCount() const { return nonEmptyCount_; }
  // Records still to be handed out: right after ReadHead, every record that
  // the header or index announces (a checker counts those never reached).
  std::uint16_t RecordsLeft() const { return recordsLeft_; }
  // The bigfont index as read, sorted by code (empty for the other variants).
  const std::vector<BigfontIndexEntry>& BigfontIndex() const { return bigfontIndex_; }

 private:
  HeadResult ReadShapesHead();
  HeadResult ReadBigfontHead();
  bool ReadName(ShapeRecordHead& head);

  ByteInput& input_;
  Variant kind_;
  // Records that the header or index announce and that are still to come.
  std::uint16_t recordsLeft_ = 0;
  std::vector<ShapeIndexEntry> shapeIndex_;
  std::vector<BigfontIndexEntry> bigfontIndex_;
  std::size_t cursor_ = 0;
  std::vector<EscapeRangeEntry> escapeRanges_;
  int nonEmptyCount_ = 0;
};

}  // namespace morlune
