#include "convert/reading_notes.h"

#include <algorithm>

namespace morlune::convert {
namespace {

// Enough to find the first cases in the file; a font with thousands of
// them says so by its count.
constexpr std::size_t kLinesShown = 3;

}  // namespace

void ReadingNotes::Add(std::string_view what, std::size_t line) {
  auto found = std::find_if(tallies_.begin(), tallies_.end(), [&](const Tally& t) { return t.what == what; });
  if (found == tallies_.end()) {
    tallies_.push_back({std::string(what), 0, {}});
    found = tallies_.end() - 1;
  }
  ++found->count;
  bool again = !found->lines.empty() && found->lines.back() == line;
  if (line == 0 || again) return;
  if (found->lines.size() < kLinesShown) {
    found->lines.push_back(line);
  } else {
    found->moreLines = true;
  }
}

long long ReadingNotes::Count(std::string_view what) const {
  auto found = std::find_if(tallies_.begin(), tallies_.end(), [&](const Tally& t) { return t.what == what; });
  return found == tallies_.end() ? 0 : found->count;
}

std::vector<std::string> ReadingNotes::Lines() const {
  std::vector<std::string> lines;
  for (const Tally& tally : tallies_) {
    std::string text = tally.what + ": " + std::to_string(tally.count);
    if (!tally.lines.empty()) {
      text += tally.lines.size() == 1 ? " (line " : " (lines ";
      for (std::size_t k = 0; k < tally.lines.size(); ++k) {
        if (k > 0) text += ", ";
        text += std::to_string(tally.lines[k]);
      }
      if (tally.moreLines) text += ", ...";
      text += ")";
    }
    lines.push_back(std::move(text));
  }
  return lines;
}

}  // namespace morlune::convert
