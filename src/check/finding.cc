// The catalogue of finding kinds: one identifier and one severity each.
#include "check/finding.h"

namespace morlune::check {

const std::vector<FindingKind>& FindingKinds() {
  using enum FindingId;
  constexpr Severity I = Severity::kInfo, W = Severity::kWarn, F = Severity::kFail;
  static const std::vector<FindingKind> kinds = {
      {kNotAFont, "not-a-font", F},
      {kSourceError, "source-error", F},
      {kSourceWarning, "source-warning", W},
      {kBadIndex, "bad-index", F},
      {kUnreachedRecords, "unreached-records", F},
      {kIndexOverlap, "index-overlap", F},
      {kIndexOutsideFile, "index-outside-file", F},
      {kUnreadBytes, "unread-bytes", I},
      {kDuplicateCode, "duplicate-code", W},
      {kLengthMismatch, "length-mismatch", F},
      {kNoFontHeader, "no-font-header", F},
      {kHeightZero, "height-zero", F},
      {kHeaderValues, "header-values", W},
      {kHeaderLastByte, "header-last-byte", I},
      {kNameLineEnd, "name-line-end", F},
      {kNameComma, "name-comma", W},
      {kNameTooLong, "name-too-long", W},
      {kNamePastLength, "name-past-length", F},
      {kItemCutOff, "item-cut-off", F},
      {kBytesAfterEnd, "bytes-after-end", W},
      {kNoEndCode, "no-end-code", W},
      {kZeroScale, "zero-scale", W},
      {kPushWithoutPop, "push-without-pop", W},
      {kPopEmptyStack, "pop-empty-stack", W},
      {kStackFull, "stack-full", W},
      {kMissingSubshape, "missing-subshape", F},
      {kSubshapeZero, "subshape-zero", F},
      {kSubshapeCycle, "subshape-cycle", F},
      {kSubshapeTooDeep, "subshape-too-deep", F},
      {kLongFormNoHeight, "long-form-no-height", F},
      {kTooManyItems, "too-many-items", F},
      {kOutOfBounds, "out-of-bounds", F},
      {kCheckBudgetSpent, "check-budget-spent", W},
      {kAboveHeight, "above-height", I},
      {kBelowDepth, "below-depth", I},
      {kFarAboveHeight, "far-above-height", W},
      {kFarBelowDepth, "far-below-depth", W},
      {kNegativeAdvance, "negative-advance", W},
      {kVerticalAdvance, "vertical-advance", W},
      {kCoverageMissing, "coverage-missing", W},
  };
  return kinds;
}

const FindingKind& KindOf(FindingId id) { return FindingKinds()[static_cast<std::size_t>(id)]; }

Finding RecordFinding(FindingId id, std::uint32_t code, std::string text) {
  Finding finding;
  finding.id = id;
  finding.code = code;
  finding.text = std::move(text);
  return finding;
}

Finding FontFinding(FindingId id, std::string text) {
  Finding finding;
  finding.id = id;
  finding.text = std::move(text);
  return finding;
}

std::string Counted(long long count, const char* one, const char* many) {
  std::string text = std::to_string(count);
  text += ' ';
  text += count == 1 ? one : many;
  return text;
}


FindingCounts CountFindings(const std::vector<Finding>& findings) {
  FindingCounts counts;
  for (const Finding& finding : findings) counts.Add(KindOf(finding.id).severity);
  return counts;
}

}  // namespace morlune::check

namespace morlune {

std::string_view SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kInfo:
      return "INFO";
    case Severity::kWarn:
      return "WARN";
    case Severity::kFail:
      return "FAIL";
  }
  return "FAIL";
}

std::optional<Severity> SeverityFromName(std::string_view name) {
  std::string upper;
  for (char c : name) upper += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  for (Severity severity : {Severity::kInfo, Severity::kWarn, Severity::kFail}) {
    if (upper == SeverityName(severity)) return severity;
  }
  return std::nullopt;
}

}  // namespace morlune
