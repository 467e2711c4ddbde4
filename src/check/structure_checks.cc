// The walk of the records through the font reader, with the decompiler's
// reading of each record's items, and what the bytes alone say is wrong.
#include "check/structure_checks.h"

#include <algorithm>
#include <map>
#include <string>

#include "check/item_checks.h"
#include "fontfile/font_reader.h"
#include "fontfile/shape_items.h"
#include "fontfile/signature.h"
#include "platform/hex_code.h"

namespace morlune::check {
namespace {

const char* HeadText(HeadResult head) {
  switch (head) {
    case HeadResult::kNoShapeIndex:
      return "the shape index is cut short by the end of the file; no record can be read";
    case HeadResult::kNoHashTable:
      return "the bigfont index is cut short or its entry count is negative; no record can be read";
    case HeadResult::kBadEntrySize:
      return "the bigfont index entries are not 8 bytes long; no record can be read";
    case HeadResult::kReady:
      break;
  }
  return "";
}

// The font-header record's data bytes that a variant's readers expect.
bool HeaderCountFits(Variant kind, int counter) {
  switch (kind) {
    case Variant::kBigfont:
      return counter == 4 || counter == 5;
    case Variant::kUnifont:
      return counter == 6;
    default:
      return counter == 4;
  }
}

const char* HeaderCountText(Variant kind) {
  switch (kind) {
    case Variant::kBigfont:
      return "a bigfont's has 4 or 5";
    case Variant::kUnifont:
      return "a unifont's has 6";
    default:
      return "a shapes font's has 4";
  }
}

// The font-header record's bytes, as many as the file holds (the first
// record of code 0 gives the font's height, depth and modes).
void CheckHeaderRecord(Variant kind, std::int16_t counter, std::span<const unsigned char> font,
                       std::size_t at, FontFacts& facts, std::vector<Finding>& findings) {
  const std::size_t held = font.size() - at;
  if (!facts.hasHeader) {
    facts.hasHeader = true;
    facts.height = held >= 1 ? font[at] : 0;
    facts.depth = held >= 2 ? font[at + 1] : 0;
    facts.modes = held >= 3 ? font[at + 2] : 0;
  }
  int last = counter >= 1 && static_cast<std::size_t>(counter) <= held ? font[at + static_cast<std::size_t>(counter) - 1] : -1;
  if (!HeaderCountFits(kind, counter)) {
    findings.push_back(RecordFinding(FindingId::kHeaderValues, 0,
                                     "the font-header record declares " + std::to_string(counter) + " bytes where " +
                                         HeaderCountText(kind) + "; its source text does not compile back to it"));
  } else if (last != 0) {
    findings.push_back(RecordFinding(FindingId::kHeaderLastByte, 0,
                                     "the font-header record's last byte is " + std::to_string(last) +
                                         "; its source text writes 0 there, so a font compiled from it differs"));
  }
}

void CheckName(std::uint32_t code, std::span<const unsigned char> name, std::size_t fullLength,
               std::vector<Finding>& findings) {
  bool lineEnd = std::any_of(name.begin(), name.end(), [](unsigned char c) { return c == '\n' || c == '\r'; });
  bool comma = std::find(name.begin(), name.end(), ',') != name.end();
  if (lineEnd) {
    findings.push_back(RecordFinding(FindingId::kNameLineEnd, code,
                          "the name holds a line end: its source text reads back as another record"));
  }
  if (comma) {
    findings.push_back(RecordFinding(FindingId::kNameComma, code,
                          "the name holds a comma: readers that end a name at a comma take less of it"));
  }
  if (fullLength > static_cast<std::size_t>(kMaxNameLength)) {
    findings.push_back(RecordFinding(FindingId::kNameTooLong, code,
                          "the name is " + std::to_string(fullLength) + " bytes long; the source text keeps " +
                              std::to_string(kMaxNameLength)));
  }
}

void CheckBigfontIndex(const std::vector<BigfontIndexEntry>& index, std::size_t indexEnd, std::size_t fileSize,
                       std::vector<Finding>& findings, std::vector<std::pair<std::uint64_t, std::uint64_t>>& spans) {
  struct Placed {
    std::uint64_t start, end;
    std::uint16_t code;
  };
  std::vector<Placed> placed;
  for (const BigfontIndexEntry& entry : index) {
    if (entry.length == 0) continue;
    std::uint64_t start = entry.offset, end = start + entry.length;
    if (start > 0x7FFFFFFF || end > fileSize) {
      findings.push_back(RecordFinding(FindingId::kIndexOutsideFile, entry.code,
                            "its index entry places the record at bytes " + std::to_string(start) + " to " +
                                std::to_string(end) + ", past the end of the file (" + std::to_string(fileSize) +
                                " bytes); the walk of the records stops there"));
      continue;
    }
    if (start < indexEnd) {
      findings.push_back(RecordFinding(FindingId::kIndexOverlap, entry.code,
                            "its index entry places the record over the font's header and index"));
      continue;
    }
    placed.push_back({start, end, entry.code});
  }
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.start < b.start; });
  // Each record against the one before it that reaches furthest.
  const Placed* furthest = nullptr;
  for (const Placed& record : placed) {
    if (furthest != nullptr && record.start < furthest->end) {
      findings.push_back(RecordFinding(FindingId::kIndexOverlap, record.code,
                            "its record's bytes overlap those of code " + CodeHex(furthest->code)));
    }
    if (furthest == nullptr || record.end > furthest->end) furthest = &record;
    spans.push_back({record.start, record.end});
  }
}

// Bytes of the file that neither the header and index nor any record take.
std::uint64_t UncoveredBytes(std::vector<std::pair<std::uint64_t, std::uint64_t>> spans, std::size_t fileSize) {
  std::sort(spans.begin(), spans.end());
  std::uint64_t covered = 0, reach = 0;
  for (const auto& [start, end] : spans) {
    std::uint64_t from = std::max(start, reach);
    if (end > from) covered += end - from;
    reach = std::max(reach, end);
  }
  return fileSize > covered ? fileSize - covered : 0;
}

}  // namespace

FontFacts CheckStructure(std::span<const unsigned char> font, std::vector<Finding>& findings) {
  FontFacts facts;
  ByteInput input;
  input.AttachMemory(font.data(), font.size());
  std::optional<Variant> identified = IdentifyShapeFile(input);
  if (!identified) {
    findings.push_back(FontFinding(FindingId::kNotAFont, "the file is neither a compiled shape font nor shape source text"));
    return facts;
  }
  Variant kind = *identified;
  facts.recognised = true;
  facts.variant = static_cast<int>(kind);
  FontReader reader(input, kind);
  HeadResult head = reader.ReadHead();
  if (head != HeadResult::kReady) {
    findings.push_back(FontFinding(FindingId::kBadIndex, HeadText(head)));
    return facts;
  }
  facts.readable = true;
  for (const EscapeRangeEntry& range : reader.EscapeRanges()) facts.escapeRanges.push_back({range.first, range.last});
  const std::size_t indexEnd = static_cast<std::size_t>(input.Tell());
  const bool bigfont = kind == Variant::kBigfont;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> spans{{0, indexEnd}};
  if (bigfont) CheckBigfontIndex(reader.BigfontIndex(), indexEnd, font.size(), findings, spans);

  const long long announced = reader.RecordsLeft();
  long long visited = 0;
  // Per code met: its records. A map rather than a table of every code: a
  // font holds few codes of the 65536, and a table costs as much to clear
  // and scan as a small font to check.
  std::map<std::uint16_t, std::uint32_t> seen;
  std::uint64_t reach = indexEnd;          // where sequential reading got to
  ShapeRecordHead record;
  RecordStep step;
  while ((step = reader.NextShapeRecord(record)) == RecordStep::kReady || step == RecordStep::kSkip) {
    ++visited;
    if (step == RecordStep::kSkip) continue;
    const std::size_t specOffset = static_cast<std::size_t>(input.Tell());
    const std::size_t nameBytes = specOffset - static_cast<std::size_t>(record.nameOffset) - 1;
    const std::uint32_t code = record.code;
    if (++seen[code] == 1) {
      if (code != 0) facts.drawnCodes.push_back(record.code);
    }
    CheckName(code, font.subspan(static_cast<std::size_t>(record.nameOffset), std::min<std::size_t>(nameBytes, kMaxNameLength)),
              nameBytes, findings);
    const std::size_t held = font.size() - specOffset;
    const std::size_t declared = record.counter > 0 ? static_cast<std::size_t>(record.counter) : 0;
    if (code == 0) {
      CheckHeaderRecord(kind, record.counter, font, specOffset, facts, findings);
      int values[6];
      reader.ReadFontHeaderValues(values);
      reach = std::max<std::uint64_t>(reach, static_cast<std::uint64_t>(input.Tell()));
      continue;
    }
    if (record.counter < 0) {
      findings.push_back(RecordFinding(FindingId::kNamePastLength, code,
                            "the name runs " + Counted(-static_cast<long long>(record.counter), "byte", "bytes") +
                                " past the record's length; the record has no data"));
    }
    if (held < declared) {
      findings.push_back(RecordFinding(FindingId::kLengthMismatch, code,
                            "the record declares " + std::to_string(declared) + " data bytes; the file ends after " +
                                std::to_string(held)));
    }
    SkipItems skip;
    int more = ReadShapeItems(input, kind, record.counter, skip);
    const std::uint64_t readTo = static_cast<std::uint64_t>(input.Tell());
    reach = std::max(reach, readTo);
    if (record.counter >= 0 && held >= declared) {
      bool readPastEnd = !bigfont && readTo > specOffset + declared;
      CheckItems(code, font.subspan(specOffset, declared), kind, readPastEnd, findings);
    }
    if (!more) break;
  }
  // Duplicates after the walk, so that each code is told once.
  for (const auto& [code, records] : seen) {
    long long count = records;
    if (count > 1) {
      findings.push_back(RecordFinding(FindingId::kDuplicateCode, code,
                            Counted(count, "record has", "records have") +
                                (code == 0 ? " code 0; only the first gives the font's height and depth"
                                           : " this code; only the first is drawn or called as a subshape")));
    }
  }
  // A bigfont entry outside the file stops the walk; that is told above.
  bool outsideTold = std::any_of(findings.begin(), findings.end(),
                                 [](const Finding& f) { return f.id == FindingId::kIndexOutsideFile; });
  if (announced > visited && !outsideTold) {
    findings.push_back(FontFinding(FindingId::kUnreachedRecords,
                             Counted(announced - visited, "record that the index announces is", "records that the index announces are") +
                                 std::string(step == RecordStep::kSeekError ? " never reached: a record lies where the file cannot be positioned"
                                                                           : " never reached: the file ends before them")));
  }
  if (!facts.hasHeader) {
    findings.push_back(FontFinding(FindingId::kNoFontHeader, "the font has no font-header record (code 0): no height, no depth, no name"));
  } else if (facts.height == 0) {
    findings.push_back(RecordFinding(FindingId::kHeightZero, 0, "the font's height is 0: text cannot be scaled to a height, and long-form subshapes are not drawn"));
  }
  std::uint64_t unread = 0;
  if (bigfont) {
    unread = UncoveredBytes(std::move(spans), font.size());
  } else if (announced == visited && reach < font.size()) {
    unread = font.size() - reach;
  }
  if (unread > 0) {
    findings.push_back(FontFinding(FindingId::kUnreadBytes,
                             Counted(static_cast<long long>(unread), "byte", "bytes") + " of the file belong to no record"));
  }
  return facts;
}

}  // namespace morlune::check
