// Layouts: the signature, then per variant the header words, the index or
// the record heads, and the records back to back. Every word little-endian.
#include "compiler/font_layout.h"

#include <algorithm>
#include <cstdint>

#include "fontfile/signature.h"

namespace morlune {
namespace {

constexpr char kSignatureEnd = 0x1A;
constexpr unsigned kEntrySize = kBigfontIndexEntrySize;

void PutWord(std::string& out, unsigned value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutDword(std::string& out, std::uint32_t value) {
  PutWord(out, value & 0xFFFF);
  PutWord(out, value >> 16);
}

std::size_t RecordLength(const SourceRecord& record, std::string_view name) {
  return name.size() + 1 + record.dataSize;
}

void PutRecord(std::string& out, const SourceFont& font, const SourceRecord& record, std::string_view name) {
  out.append(name);
  out.push_back('\0');
  out.append(font.data, record.dataOffset, record.dataSize);
}

}  // namespace

std::vector<std::size_t> BigfontOrder(const SourceFont& font) {
  std::vector<std::size_t> order(font.records.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&font](std::size_t a, std::size_t b) { return font.records[a].code < font.records[b].code; });
  return order;
}

std::string LayOutFont(const SourceFont& font, const std::vector<std::string_view>& names) {
  std::string out = kShapeFileSignatures[static_cast<int>(font.kind)];
  out.push_back(kSignatureEnd);
  const std::vector<SourceRecord>& records = font.records;
  auto count = static_cast<unsigned>(records.size());
  std::size_t total = out.size() + 6 + 4 * font.escapeRanges.size() + std::size_t{kEntrySize} * count;
  for (std::size_t i = 0; i < records.size(); ++i) total += RecordLength(records[i], names[i]);
  out.reserve(total);
  switch (font.kind) {
    case ShapeFileKind::kBigfont10: {
      PutWord(out, kEntrySize);
      PutWord(out, count);
      PutWord(out, static_cast<unsigned>(font.escapeRanges.size()));
      for (const EscapeRange& range : font.escapeRanges) {
        PutWord(out, range.first);
        PutWord(out, range.last);
      }
      // The records follow the index in its own order.
      std::vector<std::size_t> order = BigfontOrder(font);
      std::size_t offset = out.size() + std::size_t{kEntrySize} * count;
      for (std::size_t i : order) {
        std::size_t length = RecordLength(records[i], names[i]);
        PutWord(out, records[i].code);
        PutWord(out, static_cast<unsigned>(length));
        PutDword(out, static_cast<std::uint32_t>(offset));
        offset += length;
      }
      for (std::size_t i : order) PutRecord(out, font, records[i], names[i]);
      break;
    }
    case ShapeFileKind::kUnifont10:
      PutWord(out, count);
      for (std::size_t i = 0; i < records.size(); ++i) {
        PutWord(out, records[i].code);
        PutWord(out, static_cast<unsigned>(RecordLength(records[i], names[i])));
        PutRecord(out, font, records[i], names[i]);
      }
      break;
    default: {
      // The two words that reading skips: the lowest and highest code.
      unsigned lowest = 0, highest = 0;
      if (!records.empty()) {
        auto [low, high] = std::minmax_element(records.begin(), records.end(),
                                               [](const SourceRecord& a, const SourceRecord& b) { return a.code < b.code; });
        lowest = low->code;
        highest = high->code;
      }
      PutWord(out, lowest);
      PutWord(out, highest);
      PutWord(out, count);
      for (std::size_t i = 0; i < records.size(); ++i) {
        PutWord(out, records[i].code);
        PutWord(out, static_cast<unsigned>(RecordLength(records[i], names[i])));
      }
      for (std::size_t i = 0; i < records.size(); ++i) PutRecord(out, font, records[i], names[i]);
      break;
    }
  }
  return out;
}

}  // namespace morlune
