// Layouts: the signature, then per variant the header words, the index or
// the record heads, and the records back to back. Every word little-endian.
#include "compiler/font_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "fontfile/signature.h"

namespace morlune {
namespace {

constexpr char kSignatureEnd = 0x1A;
constexpr unsigned kEntrySize = kBigfontIndexEntrySize;
// Room of the head and index gathered before they are handed out.
constexpr std::size_t kHeadChunk = 64 * 1024;

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

// Words are gathered in a small buffer; records go out as the name, its
// zero byte and the data, straight from where they are kept.
struct Writer {
  const std::function<void(std::string_view)>& put;
  std::string head;
  std::size_t handedOut = 0;

  // Bytes of the font before the next one.
  std::size_t Position() const { return handedOut + head.size(); }
  void Flush() {
    if (!head.empty()) put(head);
    handedOut += head.size();
    head.clear();
  }
  void Word(unsigned value) {
    if (head.size() >= kHeadChunk) Flush();
    PutWord(head, value);
  }
  void Dword(std::uint32_t value) {
    if (head.size() >= kHeadChunk) Flush();
    PutDword(head, value);
  }
  void Record(const SourceFont& font, const SourceRecord& record, std::string_view name) {
    Flush();
    head.append(name);
    head.push_back('\0');
    Flush();
    if (record.dataSize > 0) put(font.DataOf(record));
    handedOut += record.dataSize;
  }
};

}  // namespace

std::vector<std::size_t> BigfontOrder(const SourceFont& font) {
  std::vector<std::size_t> order(font.records.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&font](std::size_t a, std::size_t b) { return font.records[a].code < font.records[b].code; });
  return order;
}

std::size_t LaidOutSize(const SourceFont& font, const std::vector<std::string_view>& names) {
  std::size_t count = font.records.size();
  std::size_t total = std::strlen(kShapeFileSignatures[static_cast<int>(font.kind)]) + 1;
  switch (font.kind) {
    case Variant::kBigfont:
      total += 6 + 4 * font.escapeRanges.size() + std::size_t{kEntrySize} * count;
      break;
    case Variant::kUnifont:
      total += 2 + 4 * count;
      break;
    default:
      total += 6 + 4 * count;
      break;
  }
  for (std::size_t i = 0; i < count; ++i) total += RecordLength(font.records[i], names[i]);
  return total;
}

void LayOutFont(const SourceFont& font, const std::vector<std::string_view>& names,
                const std::function<void(std::string_view)>& put) {
  Writer out{put, kShapeFileSignatures[static_cast<int>(font.kind)], 0};
  out.head.push_back(kSignatureEnd);
  const std::vector<SourceRecord>& records = font.records;
  auto count = static_cast<unsigned>(records.size());
  switch (font.kind) {
    case Variant::kBigfont: {
      out.Word(kEntrySize);
      out.Word(count);
      out.Word(static_cast<unsigned>(font.escapeRanges.size()));
      for (const EscapeRangeEntry& range : font.escapeRanges) {
        out.Word(range.first);
        out.Word(range.last);
      }
      // The records follow the index in its own order.
      std::vector<std::size_t> order = BigfontOrder(font);
      std::size_t offset = out.Position() + std::size_t{kEntrySize} * count;
      for (std::size_t i : order) {
        std::size_t length = RecordLength(records[i], names[i]);
        out.Word(records[i].code);
        out.Word(static_cast<unsigned>(length));
        out.Dword(static_cast<std::uint32_t>(offset));
        offset += length;
      }
      for (std::size_t i : order) out.Record(font, records[i], names[i]);
      break;
    }
    case Variant::kUnifont:
      out.Word(count);
      for (std::size_t i = 0; i < records.size(); ++i) {
        out.Word(records[i].code);
        out.Word(static_cast<unsigned>(RecordLength(records[i], names[i])));
        out.Record(font, records[i], names[i]);
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
      out.Word(lowest);
      out.Word(highest);
      out.Word(count);
      for (std::size_t i = 0; i < records.size(); ++i) {
        out.Word(records[i].code);
        out.Word(static_cast<unsigned>(RecordLength(records[i], names[i])));
      }
      for (std::size_t i = 0; i < records.size(); ++i) out.Record(font, records[i], names[i]);
      break;
    }
  }
  out.Flush();
}

}  // namespace morlune
