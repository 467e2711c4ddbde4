// Compiling: the text read into records, the names to store, the limits of
// the compiled containers checked, then the font laid out.
#include "compiler/compile_source.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "compiler/font_layout.h"
#include "fontfile/signature.h"
#include "platform/byte_input.h"
#include "source/char_names.h"
#include "source/source_number.h"
#include "source/source_reader.h"

namespace morlune {
namespace {

constexpr std::size_t kMostRecordBytes = 0xFFFF;
constexpr std::size_t kMostRecords = 0xFFFF;
constexpr std::size_t kMostBigfontRecords = 0x7FFF;
// The records that a bigfont's nonempty count takes in: lengths that read
// as positive signed 16-bit numbers.
constexpr std::size_t kMostCountedLength = 0x7FFF;

bool IsDefaultName(std::uint16_t code, std::string_view name) {
  EscapeNameBuffer buffer;
  return name == LookupCharName(code, false, buffer) || name == LookupCharName(code, true, buffer);
}

std::vector<std::string_view> StoredNames(const SourceFont& font, bool dropDefaultNames) {
  std::vector<std::string_view> names;
  names.reserve(font.records.size());
  for (const SourceRecord& record : font.records) {
    bool drop = dropDefaultNames && IsDefaultName(record.code, record.name);
    names.push_back(drop ? std::string_view() : record.name);
  }
  return names;
}

// What does not fit the compiled containers is an error, never cut short.
void CheckFits(const SourceFont& font, const std::vector<std::string_view>& names, Diagnostics& diagnostics) {
  const std::vector<SourceRecord>& records = font.records;
  std::size_t counted = 0;
  unsigned long long fontBytes = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const SourceRecord& record = records[i];
    std::size_t length = names[i].size() + 1 + record.dataSize;
    fontBytes += length + kBigfontIndexEntrySize;
    if (length <= kMostCountedLength) ++counted;
    if (!record.whole) continue;
    if (record.dataSize > kMostDataBytes) {
      diagnostics.Error(record.header, "the record's data make " + std::to_string(record.dataSize) +
                                           " bytes; a record holds at most 32767");
    } else if (length > kMostRecordBytes) {
      diagnostics.Error(record.header, "the record's name and data make " + std::to_string(length) +
                                           " bytes with the name's zero byte; a record holds at most 65535");
    }
  }
  bool bigfont = font.kind == Variant::kBigfont;
  std::size_t most = bigfont ? kMostBigfontRecords : kMostRecords;
  if (records.size() > most) {
    diagnostics.Error(records[most].header, std::string(bigfont ? "a bigfont" : "a font of this variant") +
                                                " holds at most " + std::to_string(most) + " records");
  }
  if (!bigfont) return;
  if (fontBytes > kLargestBigfontOffset) {
    diagnostics.Error(records.back().header, "the font passes 2 GiB, where a bigfont's offsets end");
  }
  std::vector<std::size_t> order = BigfontOrder(font);
  for (std::size_t k = 1; k < order.size(); ++k) {
    const SourceRecord& earlier = records[order[k - 1]];
    const SourceRecord& later = records[order[k]];
    if (earlier.code == later.code) {
      diagnostics.Error(later.header, "a second record with code " + std::string(later.codeText) +
                                          " (the first is on line " + std::to_string(earlier.header.line) +
                                          "); a bigfont holds one per code");
    }
  }
  // In a text with errors records may be missing or cut short: the count
  // would only echo them.
  if (diagnostics.HasErrors()) return;
  for (const DeclaredRecordCount& declared : font.bigfontCounts) {
    if (declared.count != static_cast<long long>(counted)) {
      diagnostics.Warning(declared.place, "the *BIGFONT line counts " + NumberAsWritten(declared.text, declared.count) +
                                              (declared.count == 1 ? " record" : " records") +
                                              " of 1 to 32767 bytes; the font holds " + std::to_string(counted));
    }
  }
}

// What the font as a whole lacks, told only of a font that is written: a
// text with errors has its own lines to fix first.
void WarnOfEmptyParts(const SourceFont& font, Diagnostics& diagnostics) {
  if (diagnostics.HasErrors()) return;
  if (font.records.empty()) {
    diagnostics.Warning(SourcePlace{}, "the text holds no records; the font written is empty");
    return;
  }
  bool hasFontHeader = std::any_of(font.records.begin(), font.records.end(),
                                   [](const SourceRecord& record) { return record.code == 0; });
  if (!hasFontHeader) {
    const char* header = font.kind == Variant::kUnifont ? "*UNIFONT,COUNT,NAME" : "*0,COUNT,NAME";
    diagnostics.Warning(SourcePlace{}, std::string("the text has no font-header record (") + header +
                                           "), so the font has no height of its own");
  }
}

}  // namespace

void CompiledFont::Write(const std::function<void(std::string_view)>& put) const { LayOutFont(font_, names_, put); }

std::string CompiledFont::Bytes() const {
  std::string bytes;
  bytes.reserve(LaidOutSize(font_, names_));
  Write([&bytes](std::string_view block) { bytes.append(block); });
  return bytes;
}

std::optional<CompiledFont> CompileSourceFont(std::string_view text, const CompileOptions& options,
                                              Diagnostics& diagnostics) {
  SourceFont font = ReadSource(text, SourceReadOptions{options.variant, options.takeCounted}, diagnostics);
  std::vector<std::string_view> names = StoredNames(font, options.dropDefaultNames);
  CheckFits(font, names, diagnostics);
  WarnOfEmptyParts(font, diagnostics);
  if (diagnostics.HasErrors()) return std::nullopt;
  return CompiledFont(std::move(font), std::move(names));
}

bool IsShapeSourceText(std::string_view input) {
  ByteInput head;
  head.AttachMemory(reinterpret_cast<const unsigned char*>(input.data()), input.size());
  return !IdentifyShapeFile(head) && HasHeaderLine(input);
}

std::optional<std::string> CompileSource(std::string_view text, const CompileOptions& options,
                                         Diagnostics& diagnostics) {
  std::optional<CompiledFont> font = CompileSourceFont(text, options, diagnostics);
  if (!font) return std::nullopt;
  return font->Bytes();
}

}  // namespace morlune
