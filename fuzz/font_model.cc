// The four layouts written by hand rather than by the compiler's writer:
// a mutated font may hold what no source text compiles to (length words
// that disagree with their records, two records of one code in a bigfont,
// unsorted escape ranges), and the frame must still read.
#include "fuzz/font_model.h"

#include <algorithm>
#include <cstring>

#include "fontfile/record_walk.h"
#include "fontfile/signature.h"

namespace morlune::fuzzing {
namespace {

void PutWord(std::string& out, unsigned value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

unsigned LengthWord(const ModelRecord& record) {
  long length = static_cast<long>(record.name.size() + 1 + record.spec.size()) + record.lengthSkew;
  return static_cast<unsigned>(std::clamp(length, 0L, 0xFFFFL));
}

void PutRecord(std::string& out, const ModelRecord& record) {
  out += record.name;
  out.push_back('\0');
  out += record.spec;
}

}  // namespace

std::optional<ExactHead> ExactSignature(const std::uint8_t* data, std::size_t size) {
  for (int k = 0; k < 4; ++k) {
    const char* signature = kShapeFileSignatures[k];
    std::size_t length = std::strlen(signature);
    if (size <= length || std::memcmp(data, signature, length) != 0 || data[length] != 0x1A) continue;
    return ExactHead{static_cast<Variant>(k), length + 1};
  }
  return std::nullopt;
}

std::optional<FontModel> ReadFontModel(const std::uint8_t* data, std::size_t size) {
  if (std::optional<ExactHead> head = ExactSignature(data, size)) {
    FontModel font;
    font.kind = head->variant;
    FontWalk walk = WalkFontRecords(data, size, head->headStart, font.kind);
    if (walk.head != HeadResult::kReady) return std::nullopt;
    font.escapeRanges = walk.escapeRanges;
    for (const WalkedRecord& walked : walk.records) {
      ModelRecord record;
      record.code = walked.code;
      record.name.assign(reinterpret_cast<const char*>(data + walked.nameOffset), walked.nameLength);
      record.spec.assign(reinterpret_cast<const char*>(data + walked.specOffset), walked.specSize);
      font.records.push_back(std::move(record));
    }
    return font;
  }
  return std::nullopt;
}

std::string WriteFontModel(const FontModel& font) {
  std::string out = kShapeFileSignatures[static_cast<int>(font.kind)];
  out.push_back(0x1A);
  const std::vector<ModelRecord>& records = font.records;
  auto count = static_cast<unsigned>(records.size());
  switch (font.kind) {
    case Variant::kBigfont: {
      PutWord(out, kBigfontIndexEntrySize);
      PutWord(out, count);
      PutWord(out, static_cast<unsigned>(font.escapeRanges.size()));
      for (const EscapeRangeEntry& range : font.escapeRanges) {
        PutWord(out, range.first);
        PutWord(out, range.last);
      }
      std::size_t offset = out.size() + std::size_t{kBigfontIndexEntrySize} * count;
      for (const ModelRecord& record : records) {
        PutWord(out, record.code);
        PutWord(out, LengthWord(record));
        PutWord(out, static_cast<unsigned>(offset & 0xFFFF));
        PutWord(out, static_cast<unsigned>(offset >> 16));
        offset += record.name.size() + 1 + record.spec.size();
      }
      for (const ModelRecord& record : records) PutRecord(out, record);
      break;
    }
    case Variant::kUnifont:
      PutWord(out, count);
      for (const ModelRecord& record : records) {
        PutWord(out, record.code);
        PutWord(out, LengthWord(record));
        PutRecord(out, record);
      }
      break;
    default:
      PutWord(out, 0);
      PutWord(out, 0);
      PutWord(out, count);
      for (const ModelRecord& record : records) {
        PutWord(out, record.code);
        PutWord(out, LengthWord(record));
      }
      for (const ModelRecord& record : records) PutRecord(out, record);
      break;
  }
  return out;
}

}  // namespace morlune::fuzzing
