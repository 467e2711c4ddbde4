// What a character's drawing skipped or where it stopped, collected while it
// is drawn and told once per kind, with a count, when it is done.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <morlune/geometry.h>

#include "drawing/draw_limits.h"
#include "platform/hex_code.h"

namespace morlune {

// The kinds are the library's GlyphWarningKind, one list for the tool's
// warnings and the glyph's data.
using DrawWarning = GlyphWarningKind;

// The words of a warning; code is the record it concerns (the one cut
// short, or the subshape's code); the budget gives the bounds it names.
std::string DrawWarningText(DrawWarning warning, int code, const RunBudget& budget);

// Warnings of the same kind about the same code count as one.
class WarningTally {
 public:
  struct Entry {
    DrawWarning warning;
    int code;
    long long count;
  };

  void Add(DrawWarning warning, int code);
  void Clear() {
    entries_.clear();
    index_.clear();
  }
  bool Empty() const { return entries_.empty(); }
  // In the order first met.
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
  std::map<long, std::size_t> index_;  // kind and code to entry
};

// A warning's words as the tool tells them: " (N times)" added where it
// came more than once.
std::string TalliedWarningText(const WarningTally::Entry& entry, const RunBudget& budget);

}  // namespace morlune
