// Assembles compiled shape fonts of the four variants from records, with
// knobs that let a test break the container on purpose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morlune::testing {

enum class FontVariant { kShapes10, kShapes11, kBigfont10, kUnifont10 };

// The signature text of the variant and the 0x1A that ends it.
std::string Signature(FontVariant variant);

// One byte per value, each taken modulo 256, so that a list can hold codes
// (0x8C), unsigned operands (200) and signed ones (-3) alike. Code 7's
// 16-bit operands are written here high byte first, as two values.
std::string Bytes(std::initializer_list<int> values);

// A record's bytes: the name, its terminating 0, then the data.
std::string RecordBytes(std::string_view name, std::initializer_list<int> data);

struct FontRecord {
  std::uint16_t code = 0;
  std::string bytes;                    // name, terminator and data
  std::optional<std::uint16_t> length;  // the length word; the size of bytes unless set
  std::optional<std::uint32_t> offset;  // bigfont: the offset; where the bytes land unless set
  std::size_t gapBefore = 0;            // bigfont: filler bytes laid down before the record
};

FontRecord Shape(std::uint16_t code, std::string_view name, std::initializer_list<int> data);

struct FontLayout {
  explicit FontLayout(FontVariant fontVariant) : variant(fontVariant) {}

  FontVariant variant;
  // Shapes: index order and file order. Unifont: file order. Bigfont: the
  // order in which the record bytes are laid down after the index.
  std::vector<FontRecord> records;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> escapeRanges;  // bigfont: first, last
  // Bigfont: the records, by position in records, in index order (which
  // may leave some out or name one twice); records order unless set.
  std::vector<std::size_t> indexOrder;
  // The header words, each computed unless set: the shapes index count,
  // the bigfont entry count and the unifont record count; the bigfont
  // entry size (8) and range count.
  std::optional<std::uint16_t> count;
  std::optional<std::uint16_t> entrySize;
  std::optional<std::uint16_t> rangeCount;
  std::optional<std::size_t> truncateAt;  // the file is cut to this many bytes
};

struct BuiltFont {
  std::string bytes;
  // Shapes and unifont: the file position just past each record, in
  // records order (before any cut).
  std::vector<std::size_t> recordEnds;
};

BuiltFont BuildFontWithPlaces(const FontLayout& layout);
inline std::string BuildFont(const FontLayout& layout) { return BuildFontWithPlaces(layout).bytes; }

}  // namespace morlune::testing
