// A font as its source text gives it: the variant, the bigfont's escape
// ranges, and every record with its code, name and data bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include <morlune/compile.h>

#include "fontfile/index_entries.h"
#include "source/diagnostics.h"

namespace morlune {

// Data bytes past this many in one record are counted but not kept: no
// record that long fits a length word, so its bytes are never written.
inline constexpr std::size_t kMostRecordBytesKept = 0xFFFF;

// The data bytes that one record holds at most.
inline constexpr std::size_t kMostDataBytes = 32767;

struct SourceRecord {
  std::uint16_t code = 0;
  std::string_view codeText;   // the code as written, a view into the text
  std::string_view name;       // as written, a view into the text
  std::size_t dataOffset = 0;  // in SourceFont::data
  std::size_t dataSize = 0;    // the bytes its numbers make
  SourcePlace header;          // the "*" of its header
  // No problem was found inside it, so its length can be checked.
  bool whole = true;
};

// The N of a "*BIGFONT N,R,..." line: the records of 1 to 32767 bytes that
// the line says the font holds.
struct DeclaredRecordCount {
  long long count = 0;
  std::string_view text;  // as written
  SourcePlace place;
};

struct SourceFont {
  Variant kind = Variant::kShapes11;
  std::vector<EscapeRangeEntry> escapeRanges;
  std::vector<DeclaredRecordCount> bigfontCounts;
  std::vector<SourceRecord> records;
  // The records' data bytes, back to back.
  std::unique_ptr<char[]> data;
  std::size_t dataSize = 0;

  std::string_view DataOf(const SourceRecord& record) const {
    return std::string_view(data.get() + record.dataOffset, record.dataSize);
  }
};

}  // namespace morlune
