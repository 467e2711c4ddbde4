// Compiled shape fonts for tests: headers, indexes and records laid out as
// each variant keeps them, every number little-endian.
#include "tests/support/font_builder.h"

#include <algorithm>

namespace morlune::testing {
namespace {

constexpr std::uint16_t kBigfontEntrySize = 8;
constexpr char kGapFiller = '\x55';

void PutWord(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutDword(std::string& out, std::uint32_t value) {
  PutWord(out, value & 0xFFFF);
  PutWord(out, value >> 16);
}

std::uint16_t LengthWord(const FontRecord& record) {
  return record.length.value_or(static_cast<std::uint16_t>(record.bytes.size()));
}

void LayShapes(const FontLayout& layout, BuiltFont& font) {
  // The two leading words of a real file hold the lowest and the highest
  // shape number; the reader skips them.
  std::uint16_t low = 0xFFFF, high = 0;
  for (const FontRecord& record : layout.records) {
    if (record.code == 0) continue;
    low = std::min(low, record.code);
    high = std::max(high, record.code);
  }
  PutWord(font.bytes, low > high ? 0 : low);
  PutWord(font.bytes, high);
  PutWord(font.bytes, layout.count.value_or(static_cast<std::uint16_t>(layout.records.size())));
  for (const FontRecord& record : layout.records) {
    PutWord(font.bytes, record.code);
    PutWord(font.bytes, LengthWord(record));
  }
  for (const FontRecord& record : layout.records) {
    font.bytes += record.bytes;
    font.recordEnds.push_back(font.bytes.size());
  }
}

void LayUnifont(const FontLayout& layout, BuiltFont& font) {
  PutWord(font.bytes, layout.count.value_or(static_cast<std::uint16_t>(layout.records.size())));
  for (const FontRecord& record : layout.records) {
    PutWord(font.bytes, record.code);
    PutWord(font.bytes, LengthWord(record));
    font.bytes += record.bytes;
    font.recordEnds.push_back(font.bytes.size());
  }
}

void LayBigfont(const FontLayout& layout, BuiltFont& font) {
  std::vector<std::size_t> order = layout.indexOrder;
  if (order.empty()) {
    for (std::size_t i = 0; i < layout.records.size(); ++i) order.push_back(i);
  }
  PutWord(font.bytes, layout.entrySize.value_or(kBigfontEntrySize));
  PutWord(font.bytes, layout.count.value_or(static_cast<std::uint16_t>(order.size())));
  PutWord(font.bytes, layout.rangeCount.value_or(static_cast<std::uint16_t>(layout.escapeRanges.size())));
  for (const auto& [first, last] : layout.escapeRanges) {
    PutWord(font.bytes, first);
    PutWord(font.bytes, last);
  }

  // The records follow the index in records order; each offset counts from
  // the first byte of the signature.
  std::size_t at = font.bytes.size() + order.size() * kBigfontEntrySize;
  std::string records;
  std::vector<std::uint32_t> offsets;
  for (const FontRecord& record : layout.records) {
    records.append(record.gapBefore, kGapFiller);
    offsets.push_back(static_cast<std::uint32_t>(at + records.size()));
    records += record.bytes;
  }
  for (std::size_t i : order) {
    const FontRecord& record = layout.records.at(i);
    PutWord(font.bytes, record.code);
    PutWord(font.bytes, LengthWord(record));
    PutDword(font.bytes, record.offset.value_or(offsets[i]));
  }
  font.bytes += records;
}

}  // namespace

std::string Signature(FontVariant variant) {
  switch (variant) {
    case FontVariant::kShapes10:
      return "Vormald-86 shapes 1.0\r\n\x1A";
    case FontVariant::kShapes11:
      return "Vormald-86 shapes 1.1\r\n\x1A";
    case FontVariant::kBigfont10:
      return "Vormald-86 bigfont 1.0\r\n\x1A";
    case FontVariant::kUnifont10:
      return "Vormald-86 unifont 1.0\r\n\x1A";
  }
  return {};
}

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int value : values) out.push_back(static_cast<char>(value & 0xFF));
  return out;
}

std::string RecordBytes(std::string_view name, std::initializer_list<int> data) {
  std::string out(name);
  out.push_back('\0');
  return out + Bytes(data);
}

FontRecord Shape(std::uint16_t code, std::string_view name, std::initializer_list<int> data) {
  return FontRecord{code, RecordBytes(name, data), {}, {}, 0};
}

BuiltFont BuildFontWithPlaces(const FontLayout& layout) {
  BuiltFont font;
  font.bytes = Signature(layout.variant);
  switch (layout.variant) {
    case FontVariant::kShapes10:
    case FontVariant::kShapes11:
      LayShapes(layout, font);
      break;
    case FontVariant::kBigfont10:
      LayBigfont(layout, font);
      break;
    case FontVariant::kUnifont10:
      LayUnifont(layout, font);
      break;
  }
  if (layout.truncateAt && *layout.truncateAt < font.bytes.size()) font.bytes.resize(*layout.truncateAt);
  return font;
}

}  // namespace morlune::testing
