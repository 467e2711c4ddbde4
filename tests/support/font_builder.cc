// Compiled shape fonts for tests: headers, indexes and records laid out as
// each variant keeps them, every number little-endian.
#include "tests/support/font_builder.h"

#include <algorithm>

namespace morlune::testing {
namespace {

void PutWord(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

std::uint16_t Count(const FontLayout& layout, std::size_t entries) {
  return layout.count.value_or(static_cast<std::uint16_t>(entries));
}

// The code and the length word of a record, as every index entry starts.
void PutEntry(std::string& out, const FontRecord& record) {
  PutWord(out, record.code);
  PutWord(out, record.length.value_or(static_cast<std::uint16_t>(record.bytes.size())));
}

void LayShapes(const FontLayout& layout, std::string& font) {
  // The two leading words of a real file hold the lowest and the highest
  // shape number; the reader skips them.
  std::uint16_t low = 0xFFFF, high = 0;
  for (const FontRecord& record : layout.records) {
    if (record.code == 0) continue;
    low = std::min(low, record.code);
    high = std::max(high, record.code);
  }
  PutWord(font, low > high ? 0 : low);
  PutWord(font, high);
  PutWord(font, Count(layout, layout.records.size()));
  for (const FontRecord& record : layout.records) PutEntry(font, record);
  for (const FontRecord& record : layout.records) font += record.bytes;
}

void LayUnifont(const FontLayout& layout, std::string& font) {
  PutWord(font, Count(layout, layout.records.size()));
  for (const FontRecord& record : layout.records) {
    PutEntry(font, record);
    font += record.bytes;
  }
}

void LayBigfont(const FontLayout& layout, std::string& font) {
  std::vector<std::size_t> order = layout.indexOrder;
  if (order.empty()) {
    for (std::size_t i = 0; i < layout.records.size(); ++i) order.push_back(i);
  }
  PutWord(font, layout.entrySize.value_or(8));
  PutWord(font, Count(layout, order.size()));
  PutWord(font, static_cast<std::uint16_t>(layout.escapeRanges.size()));
  for (const auto& [first, last] : layout.escapeRanges) {
    PutWord(font, first);
    PutWord(font, last);
  }
  // The records follow the index, with filler in the gaps; each offset
  // counts from the first byte of the signature.
  std::size_t at = font.size() + order.size() * 8;
  std::string records;
  std::vector<std::uint32_t> offsets;
  for (const FontRecord& record : layout.records) {
    records.append(record.gapBefore, '\x55');
    offsets.push_back(static_cast<std::uint32_t>(at + records.size()));
    records += record.bytes;
  }
  for (std::size_t i : order) {
    const FontRecord& record = layout.records.at(i);
    PutEntry(font, record);
    std::uint32_t offset = record.offset.value_or(offsets[i]);
    PutWord(font, offset & 0xFFFF);
    PutWord(font, offset >> 16);
  }
  font += records;
}

}  // namespace

std::string Signature(FontVariant variant) {
  static const char* const kSignatures[] = {"shapes 1.0", "shapes 1.1", "bigfont 1.0", "unifont 1.0"};
  return std::string("Vormald-86 ") + kSignatures[static_cast<int>(variant)] + "\r\n\x1A";
}

FontRecord Shape(std::uint16_t code, std::string_view name, std::initializer_list<int> data) {
  return Shape(code, name, std::vector<int>(data));
}

FontRecord Shape(std::uint16_t code, std::string_view name, const std::vector<int>& data) {
  FontRecord record{code, std::string(name), {}, {}, 0};
  record.bytes.push_back('\0');
  for (int value : data) record.bytes.push_back(static_cast<char>(value & 0xFF));
  return record;
}

std::string BuildFont(const FontLayout& layout) {
  std::string font = Signature(layout.variant);
  if (layout.variant == FontVariant::kBigfont10) {
    LayBigfont(layout, font);
  } else if (layout.variant == FontVariant::kUnifont10) {
    LayUnifont(layout, font);
  } else {
    LayShapes(layout, font);
  }
  return font;
}

std::string LowestCode0(std::string font) {
  font[Signature(FontVariant::kShapes11).size()] = 0;
  return font;
}

}  // namespace morlune::testing
