// What the checker found in a font: a severity, a stable identifier, where
// (a record's code, or a line and column of source text, or the font as a
// whole) and a sentence a person understands. The human lines and the JSON
// document are both written from one list of these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <morlune/check.h>

namespace morlune::check {

// The library's severities (SeverityName and SeverityFromName with them).
using Severity = morlune::Severity;

// Every kind of finding, each with one identifier and one severity.
enum class FindingId : std::uint8_t {
  // The input itself.
  kNotAFont,
  kSourceError,
  kSourceWarning,
  // The container: header, index, the walk of the records.
  kBadIndex,
  kUnreachedRecords,
  kIndexOverlap,
  kIndexOutsideFile,
  kUnreadBytes,
  kDuplicateCode,
  kLengthMismatch,
  // The font-header record.
  kNoFontHeader,
  kHeightZero,
  kHeaderValues,
  kHeaderLastByte,
  // Names.
  kNameLineEnd,
  kNameComma,
  kNameTooLong,
  kNamePastLength,
  // A record's items.
  kItemCutOff,
  kBytesAfterEnd,
  kNoEndCode,
  kZeroScale,
  kPushWithoutPop,
  // What drawing finds.
  kPopEmptyStack,
  kStackFull,
  kMissingSubshape,
  kSubshapeZero,
  kSubshapeCycle,
  kSubshapeTooDeep,
  kLongFormNoHeight,
  kTooManyItems,
  kOutOfBounds,
  kCheckBudgetSpent,
  kAboveHeight,
  kBelowDepth,
  kFarAboveHeight,
  kFarBelowDepth,
  kNegativeAdvance,
  kVerticalAdvance,
  // Coverage of a character set.
  kCoverageMissing,
};

struct FindingKind {
  FindingId id;
  const char* name;  // the stable identifier, e.g. "missing-subshape"
  Severity severity;
};

// Every kind, in FindingId order.
const std::vector<FindingKind>& FindingKinds();
const FindingKind& KindOf(FindingId id);

// A range of characters, both ends included.
using CharacterRange = std::pair<char32_t, char32_t>;

struct Finding {
  FindingId id = FindingId::kNotAFont;
  std::optional<std::uint32_t> code;  // the record concerned
  std::optional<long long> line;      // source text: line and column from 1
  std::optional<long long> column;
  std::string text;
  std::vector<CharacterRange> missing;  // coverage: the characters lacked
};

// A finding about one record, and one about the font as a whole.
Finding RecordFinding(FindingId id, std::uint32_t code, std::string text);
Finding FontFinding(FindingId id, std::string text);
// A count with its noun: "1 byte", "3 bytes".
std::string Counted(long long count, const char* one, const char* many);

using FindingCounts = morlune::FindingCounts;

FindingCounts CountFindings(const std::vector<Finding>& findings);

}  // namespace morlune::check
