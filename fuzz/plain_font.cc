// Items are split by the drawing's split, which follows the one item
// grammar that the decompiler reads by.
#include "fuzz/plain_font.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "drawing/item_split.h"
#include "fontfile/record_walk.h"
#include "fontfile/signature.h"
#include "fuzz/font_model.h"

namespace morlune::fuzzing {
namespace {

// The data bytes of a font-header record that the decompiler prints in
// full: all but the last, which it writes as a literal 0.
bool PlainHeader(const WalkedRecord& record, const std::uint8_t* data, Variant kind) {
  bool sized = kind == Variant::kUnifont   ? record.counter == 6
               : kind == Variant::kBigfont ? record.counter == 4 || record.counter == 5
                                                    : record.counter == 4;
  return sized && data[record.specOffset + record.specSize - 1] == 0;
}

bool WholeItems(const WalkedRecord& record, const std::uint8_t* data, Variant kind) {
  for (std::size_t at = 0; at < record.specSize;) {
    ItemSpan span = SplitItem(data + record.specOffset, record.specSize, at, kind);
    if (!span.whole) return false;
    at = span.end;
  }
  return true;
}

std::size_t WordAt(const std::uint8_t* data, std::size_t size, std::size_t at) {
  return at + 1 < size ? data[at] | data[at + 1] << 8 : 0;
}

// The records that the index or the count announces: every one must be
// in the text, or its *BIGFONT line would count a record the text lacks.
std::size_t AnnouncedRecords(const std::uint8_t* data, std::size_t size, std::size_t head, Variant kind) {
  switch (kind) {
    case Variant::kUnifont:
      return WordAt(data, size, head);
    case Variant::kBigfont: {
      std::size_t entries = WordAt(data, size, head + 2), at = head + 6 + 4 * WordAt(data, size, head + 4);
      std::size_t nonEmpty = 0;
      for (std::size_t i = 0; i < entries; ++i, at += 8) nonEmpty += WordAt(data, size, at + 2) != 0;
      return nonEmpty;
    }
    default:
      return WordAt(data, size, head + 4);
  }
}

}  // namespace

std::optional<Variant> PlainFontKind(const std::uint8_t* data, std::size_t size) {
  if (std::optional<ExactHead> head = ExactSignature(data, size)) {
    Variant kind = head->variant;
    FontWalk walk = WalkFontRecords(data, size, head->headStart, kind);
    if (walk.head != HeadResult::kReady || walk.end != RecordStep::kEnd ||
        walk.records.size() != AnnouncedRecords(data, size, head->headStart, kind)) {
      return std::nullopt;
    }
    bool hasHeader = false;
    std::vector<std::uint16_t> codes;
    for (const WalkedRecord& record : walk.records) {
      std::string_view name(reinterpret_cast<const char*>(data + record.nameOffset), record.nameLength);
      if (record.counter < 0 || record.specSize != static_cast<std::size_t>(record.counter)) return std::nullopt;
      if (name.find('\n') != std::string_view::npos || name.ends_with('\r')) return std::nullopt;
      if (record.code == 0) {
        hasHeader = true;
        if (!PlainHeader(record, data, kind)) return std::nullopt;
      } else if (!WholeItems(record, data, kind)) {
        return std::nullopt;
      }
      codes.push_back(record.code);
    }
    if (kind == Variant::kUnifont && !hasHeader) return std::nullopt;
    // The walk visits a bigfont in ascending code: equal codes stand side by side.
    if (kind == Variant::kBigfont && std::adjacent_find(codes.begin(), codes.end()) != codes.end()) {
      return std::nullopt;
    }
    return kind;
  }
  return std::nullopt;
}

}  // namespace morlune::fuzzing
