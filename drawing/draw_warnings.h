// What a character's drawing skipped or where it stopped, collected while it
// is drawn and told once per kind, with a count, when it is done.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace morlune {

enum class DrawWarning : std::uint8_t {
  kCutShort,       // an item runs past its record's end: that record ends
  kFileEnds,       // the file ends inside a record drawn: drawn as far as it goes
  kZeroScale,      // code 3 or 4 with 0: ignored
  kStackFull,      // a fifth push: ignored
  kStackEmpty,     // a pop with nothing pushed: ignored
  kNoHeight,       // a long form in a font whose height is 0: skipped
  kSubshapeZero,   // code 7 naming code 0: skipped
  kNoSuchShape,    // code 7 naming a code no record has: skipped
  kAlreadyDrawn,   // code 7 naming a record being drawn: skipped
  kTooDeep,        // a subshape at depth 17: the character stops
  kTooManyItems,   // the 100,001st item: the character stops
  kScaleBound,     // a scale factor out of bounds: the character stops
  kPositionBound,  // a coordinate or radius past 2^31: the character stops
};

// A code as the listing and the warnings write it: four uppercase
// hexadecimal digits.
std::string CodeText(int code);

// The words of a warning; code is the record it concerns (the one cut
// short, or the subshape's code).
std::string DrawWarningText(DrawWarning warning, int code);

// Warnings of the same kind about the same code count as one.
class WarningTally {
 public:
  void Add(DrawWarning warning, int code);
  void Clear() {
    entries_.clear();
    index_.clear();
  }
  bool Empty() const { return entries_.empty(); }
  // Calls told(text) for each warning in the order first met: its words,
  // and " (N times)" where it came more than once.
  template <typename Told>
  void Tell(Told told) const {
    for (const Entry& entry : entries_) {
      std::string text = DrawWarningText(entry.warning, entry.code);
      if (entry.count > 1) text += " (" + std::to_string(entry.count) + " times)";
      told(text);
    }
  }

 private:
  struct Entry {
    DrawWarning warning;
    int code;
    long long count;
  };
  std::vector<Entry> entries_;
  std::map<long, std::size_t> index_;  // kind and code to entry
};

}  // namespace morlune
