// The container layouts of the four variants and the record cursor.
#include "fontfile/font_reader.h"

#include "fontfile/bigfont_index.h"
#include "fontfile/container_words.h"
#include "fontfile/index_blocks.h"

namespace morlune {
namespace {
constexpr std::uint16_t kBigfontEntrySizeWord = kBigfontIndexEntrySize;
}

HeadResult FontReader::ReadHead() {
  switch (kind_) {
    case Variant::kShapes10:
    case Variant::kShapes11:
      return ReadShapesHead();
    case Variant::kBigfont:
      return ReadBigfontHead();
    case Variant::kUnifont:
      recordsLeft_ = ReadWord(input_);
      return HeadResult::kReady;
  }
  return HeadResult::kReady;
}

HeadResult FontReader::ReadShapesHead() {
  // Two words that the reading has no use for.
  for (int skipped = 0; skipped < 4; ++skipped) input_.Get();
  std::uint16_t count = ReadWord(input_);
  // A count above what a compiled shapes file usually holds is still read in
  // full: the table takes every entry the count announces.
  shapeIndex_.clear();
  shapeIndex_.reserve(count);
  bool whole = ReadIndexBlocks(input_, count, kShapeIndexEntrySize, [this](const unsigned char* entry) {
    shapeIndex_.push_back({WordAt(entry), WordAt(entry + 2)});
  });
  if (!whole) return HeadResult::kNoShapeIndex;
  recordsLeft_ = count;
  return HeadResult::kReady;
}

HeadResult FontReader::ReadBigfontHead() {
  if (ReadWord(input_) != kBigfontEntrySizeWord) return HeadResult::kBadEntrySize;
  std::uint16_t entryCount = ReadWord(input_);
  std::uint16_t rangeCount = ReadWord(input_);
  escapeRanges_.resize(rangeCount);
  for (EscapeRangeEntry& range : escapeRanges_) {
    range.first = ReadWord(input_);
    range.last = ReadWord(input_);
  }
  if (!LoadBigfontIndex(input_, static_cast<std::int16_t>(entryCount), bigfontIndex_, nonEmptyCount_)) {
    return HeadResult::kNoHashTable;
  }
  recordsLeft_ = entryCount;
  return HeadResult::kReady;
}

RecordStep FontReader::NextShapeRecord(ShapeRecordHead& head) {
  if (recordsLeft_ == 0) return RecordStep::kEnd;
  --recordsLeft_;
  switch (kind_) {
    case Variant::kShapes10:
    case Variant::kShapes11: {
      // The count never asks for more records than the index holds.
      if (cursor_ >= shapeIndex_.size()) return RecordStep::kEnd;
      const ShapeIndexEntry& entry = shapeIndex_[cursor_++];
      head.code = entry.code;
      head.length = entry.length;
      break;
    }
    case Variant::kBigfont: {
      if (cursor_ >= bigfontIndex_.size()) return RecordStep::kEnd;
      const BigfontIndexEntry& entry = bigfontIndex_[cursor_++];
      if (entry.length == 0) return RecordStep::kSkip;
      // The offset is a signed 32-bit position: 0x80000000 and above cannot
      // be reached.
      if (!input_.SeekTo(static_cast<std::int32_t>(entry.offset))) {
        recordsLeft_ = 0;
        return RecordStep::kSeekError;
      }
      head.code = entry.code;
      head.length = entry.length;
      break;
    }
    case Variant::kUnifont:
      head.code = ReadWord(input_);
      head.length = ReadWord(input_);
      break;
  }
  if (!ReadName(head)) {
    recordsLeft_ = 0;
    return RecordStep::kEnd;
  }
  return RecordStep::kReady;
}

// Reads the name up to its zero byte, lowering the counter for every byte
// and for the terminator. Returns false at end of input.
bool FontReader::ReadName(ShapeRecordHead& head) {
  std::int16_t counter = static_cast<std::int16_t>(head.length);
  head.nameOffset = input_.Tell();
  head.nameLength = 0;
  for (;;) {
    int byte = input_.Get();
    counter = static_cast<std::int16_t>(counter - 1);
    if (byte == 0) break;
    if (byte == kEndOfInput) return false;
    if (head.nameLength < kMaxNameLength) head.name[head.nameLength++] = static_cast<char>(byte);
  }
  head.counter = counter;
  return true;
}

int FontReader::ReadFontHeaderValues(int values[6]) {
  int count = kind_ == Variant::kUnifont ? 6 : 4;
  for (int i = 0; i < count; ++i) values[i] = ReadByteOr0xFF(input_);
  return count;
}

}  // namespace morlune
