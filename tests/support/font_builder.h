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

struct FontRecord {
  std::uint16_t code = 0;
  std::string bytes;                    // name, its terminating 0, then the data
  std::optional<std::uint16_t> length;  // the length word; the size of bytes unless set
  std::optional<std::uint32_t> offset;  // bigfont: the offset; where the bytes land unless set
  std::size_t gapBefore = 0;            // bigfont: filler bytes laid down before the record
};

// The data hold one byte per value, taken modulo 256, so that a list can
// hold codes (0x8C), unsigned operands (200) and signed ones (-3) alike;
// code 7's 16-bit operand is two values, high byte first.
FontRecord Shape(std::uint16_t code, std::string_view name, std::initializer_list<int> data);
FontRecord Shape(std::uint16_t code, std::string_view name, const std::vector<int>& data);

struct FontLayout {
  explicit FontLayout(FontVariant fontVariant, std::vector<FontRecord> fontRecords = {})
      : variant(fontVariant), records(std::move(fontRecords)) {}

  FontVariant variant;
  // Shapes: index order and file order. Unifont: file order. Bigfont: the
  // order in which the record bytes are laid down after the index.
  std::vector<FontRecord> records;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> escapeRanges;  // bigfont: first, last
  std::vector<std::size_t> indexOrder;     // bigfont: positions in records, in index order; records order if empty
  std::optional<std::uint16_t> count;      // the index, entry or record count word; counted unless set
  std::optional<std::uint16_t> entrySize;  // bigfont: the entry size word; 8 unless set
};

std::string BuildFont(const FontLayout& layout);
// The records in the variant's plain layout.
inline std::string BuildFont(FontVariant variant, std::vector<FontRecord> records) {
  return BuildFont(FontLayout(variant, std::move(records)));
}

// A shapes 1.1 font whose first word, the lowest code, counts the font-header record's 0 as the compiler does.
std::string LowestCode0(std::string font);

}  // namespace morlune::testing
