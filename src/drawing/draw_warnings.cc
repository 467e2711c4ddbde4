// The words of the drawing's warnings.
#include "drawing/draw_warnings.h"

namespace morlune {

std::string DrawWarningText(DrawWarning warning, int code, const RunBudget& budget) {
  const std::string hex = CodeHex(static_cast<std::uint16_t>(code));
  switch (warning) {
    case DrawWarning::kCutShort:
      return std::string("an item of shape ") + hex + " runs past the end of its record; that record ends there";
    case DrawWarning::kFileEnds:
      return std::string("the file ends inside shape ") + hex + "; it is drawn as far as the file goes";
    case DrawWarning::kZeroScale:
      return "a scale by 0 is ignored";
    case DrawWarning::kStackFull:
      return "a fifth push is ignored";
    case DrawWarning::kStackEmpty:
      return "a pop with no position pushed is ignored";
    case DrawWarning::kNoHeight:
      return std::string("the framed subshape ") + hex + " is skipped: the font's height is 0";
    case DrawWarning::kSubshapeZero:
      return "a subshape of code 0 is skipped";
    case DrawWarning::kNoSuchShape:
      return std::string("subshape ") + hex + " is skipped: the font has no such shape";
    case DrawWarning::kAlreadyDrawn:
      return std::string("subshape ") + hex + " is skipped: it is already being drawn";
    case DrawWarning::kTooDeep:
      return "subshapes nest deeper than " + std::to_string(budget.limits.maxDepth) +
             " levels; the character stops there";
    case DrawWarning::kTooManyItems:
      return "the character has more than " + std::to_string(budget.limits.itemsPerGlyph) + " items; it stops there";
    case DrawWarning::kScaleBound:
      return "the scale factor leaves the bounds 2^-31 to 2^31; the character stops there";
    case DrawWarning::kPositionBound:
      return "a coordinate or radius passes 2^31; the character stops there";
    case DrawWarning::kRunSpent:
      return "the run has taken the " + std::to_string(budget.total) +
             " items that a file of this size allows; this character stops there and the characters after it "
             "are left empty";
  }
  return "";
}

std::string TalliedWarningText(const WarningTally::Entry& entry, const RunBudget& budget) {
  std::string text = DrawWarningText(entry.warning, entry.code, budget);
  if (entry.count > 1) text += " (" + std::to_string(entry.count) + " times)";
  return text;
}

namespace {

// Whether a warning's words name its code; those that do not are told once
// a character however many of its records they come from, under the first.
bool WordsNameTheCode(DrawWarning warning) {
  switch (warning) {
    case DrawWarning::kCutShort:
    case DrawWarning::kFileEnds:
    case DrawWarning::kNoHeight:
    case DrawWarning::kNoSuchShape:
    case DrawWarning::kAlreadyDrawn:
      return true;
    default:
      return false;
  }
}

}  // namespace

void WarningTally::Add(DrawWarning warning, int code) {
  long key = static_cast<long>(warning) * 65536 + (WordsNameTheCode(warning) ? (code & 0xFFFF) : 0);
  auto [place, added] = index_.try_emplace(key, entries_.size());
  if (added) {
    entries_.push_back({warning, code, 1});
  } else {
    ++entries_[place->second].count;
  }
}

}  // namespace morlune
