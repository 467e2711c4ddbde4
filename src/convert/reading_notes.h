// What a reader took otherwise than as the format is written, taken as the
// format's own reader takes it: one tally per kind, with the first lines
// where it was met, so that the user can find and mend them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace morlune::convert {

class ReadingNotes {
 public:
  // One more of the kind `what` ("vertices of one number, skipped"), met
  // on `line` (0 where the format has no lines to name). Kinds keep the
  // order in which they were first met.
  void Add(std::string_view what, std::size_t line = 0);
  bool Empty() const { return tallies_.empty(); }
  long long Count(std::string_view what) const;
  // One line per kind, without a line end: "what: 4 (lines 3, 9, 12, ...)".
  std::vector<std::string> Lines() const;

 private:
  struct Tally {
    std::string what;
    long long count = 0;
    std::vector<std::size_t> lines;  // the first few, each once
    bool moreLines = false;          // lines met past those
  };
  std::vector<Tally> tallies_;
};

}  // namespace morlune::convert
