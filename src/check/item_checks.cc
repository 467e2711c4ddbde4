// A record's items split as the drawing splits them, and what they say
// about the record: where they end, scales of 0, the position stack.
#include "check/item_checks.h"

#include "drawing/draw_limits.h"
#include "drawing/item_split.h"
#include "grammar/item_grammar.h"

namespace morlune::check {

void CheckItems(std::uint32_t code, std::span<const unsigned char> spec, Variant kind, bool readPastEnd,
                std::vector<Finding>& findings) {
  const std::size_t size = spec.size();
  std::size_t at = 0;
  bool skipNext = false, ended = false, cutOff = false;
  long long zeroScales = 0, stack = 0;
  while (at < size) {
    // Most items of a stroke font are vector bytes, whole on their own.
    if (spec[at] >= kFirstVectorByte) {
      ++at;
      skipNext = false;
      continue;
    }
    ItemSpan span = SplitItem(spec.data(), size, at, kind);
    if (!span.whole) {
      cutOff = true;
      break;
    }
    at = span.end;
    int itemCode = spec[span.start];
    if (skipNext) {
      skipNext = false;
      continue;
    }
    if (itemCode == kCodeEnd) {
      ended = true;
      break;
    }
    if (itemCode == kCodeVerticalOnly) {
      skipNext = true;
    } else if ((itemCode == kCodeDivideScale || itemCode == kCodeMultiplyScale) && spec[span.start + 1] == 0) {
      ++zeroScales;
    } else if (itemCode == kCodePushPosition) {
      // Drawing ignores a push past the stack's depth.
      if (stack < kPositionStackDepth) ++stack;
    } else if (itemCode == kCodePopPosition && stack > 0) {
      --stack;
    }
  }
  if (zeroScales > 0) {
    findings.push_back(RecordFinding(FindingId::kZeroScale, code,
                          Counted(zeroScales, "scale item has", "scale items have") + " a factor of 0; drawing ignores " +
                              (zeroScales == 1 ? "it" : "them")));
  }
  if (stack > 0) {
    findings.push_back(RecordFinding(FindingId::kPushWithoutPop, code,
                          Counted(stack, "position is", "positions are") + " pushed and never popped"));
  }
  if (cutOff) {
    if (readPastEnd) {
      findings.push_back(RecordFinding(FindingId::kLengthMismatch, code,
                            "its last item runs past the record's declared length; the decompiler reads the "
                            "rest from the bytes after it, and the records after it from the wrong place"));
    } else {
      findings.push_back(RecordFinding(FindingId::kItemCutOff, code,
                            "its last item is cut off at byte " + std::to_string(at) +
                                " by the record's end; drawing stops before it"));
    }
  } else if (ended && at < size) {
    findings.push_back(RecordFinding(FindingId::kBytesAfterEnd, code,
                          Counted(static_cast<long long>(size - at), "byte follows", "bytes follow") +
                              " the record's ending 0; they are never drawn"));
  } else if (!ended) {
    findings.push_back(RecordFinding(FindingId::kNoEndCode, code, "the record does not end with code 0"));
  }
}

}  // namespace morlune::check
