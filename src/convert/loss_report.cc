// The tally of an export's losses and the lines that tell them.
#include "convert/loss_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace morlune::convert {
namespace {

struct KindText {
  const char* what;
  const char* amount;  // the amount's text and its plural ending; null: the kind has no amount
};

constexpr KindText kKindTexts[] = {
    {"arcs flattened", "at most %s font unit%s off the arc"},
    {"points moved to the grid", "at most %s font unit%s"},
    {"advances moved", "at most %s font unit%s"},
    {"glyphs with codes the format cannot hold, left out", nullptr},
    {"items for vertical text only, left out", nullptr},
    {"points outside the format's range, pulled in", "at most %s font unit%s"},
    {"glyphs with more strokes than the format holds, cut short", nullptr},
    {"glyphs whose drawing stopped early or skipped a part", nullptr},
    {"glyphs that draw but have no width, which the reader skips", nullptr},
    {"glyphs of an advance alone, which the format cannot hold, left out", nullptr},
    {"records the font's index announces and the file does not hold", nullptr},
};
static_assert(std::size(kKindTexts) == kLossKindCount);

}  // namespace

void LossReport::Add(LossKind kind, double amount, long long count) {
  bool measured = kKindTexts[static_cast<std::size_t>(kind)].amount != nullptr;
  if (measured && noiseFloor_ > 0 && std::isfinite(amount) && std::fabs(amount) <= noiseFloor_) return;
  Tally& tally = tallies_[static_cast<std::size_t>(kind)];
  tally.count += count;
  if (std::isfinite(amount)) tally.largest = std::max(tally.largest, std::fabs(amount));
}

bool LossReport::Empty() const {
  return std::all_of(tallies_.begin(), tallies_.end(), [](const Tally& t) { return t.count == 0; });
}

std::string AmountText(double amount) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4g", amount);
  return text;
}

std::vector<std::string> LossReport::Lines() const {
  std::vector<std::string> lines;
  for (std::size_t kind = 0; kind < tallies_.size(); ++kind) {
    const Tally& tally = tallies_[kind];
    if (tally.count == 0) continue;
    std::string line = std::string(kKindTexts[kind].what) + ": " + std::to_string(tally.count);
    if (kKindTexts[kind].amount != nullptr) {
      char amount[128];
      std::string largest = AmountText(tally.largest);
      std::snprintf(amount, sizeof amount, kKindTexts[kind].amount, largest.c_str(), largest == "1" ? "" : "s");
      line += std::string(" (") + amount + ")";
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace morlune::convert
