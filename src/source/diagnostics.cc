// Problems are nearly always found in the order of the text; the few found
// later (a record's end checks, counts checked once the whole text is read)
// are put in their place.
#include "source/diagnostics.h"

#include <algorithm>

namespace morlune {

void Diagnostics::Add(SourcePlace place, bool isError, std::string text) {
  if (isError) ++errors_;
  Keep(Diagnostic{place.line, place.column, isError, std::move(text)});
}

void Diagnostics::Keep(Diagnostic diagnostic) {
  auto at = std::upper_bound(list_.begin(), list_.end(), PlaceOf(diagnostic),
                             [](const SourcePlace& p, const Diagnostic& d) { return p < PlaceOf(d); });
  if (list_.size() >= kept_) {
    ++notKept_;
    if (at == list_.end()) return;
    list_.pop_back();  // a later one gives way to this earlier one
  }
  list_.insert(at, std::move(diagnostic));
}

void Diagnostics::Absorb(const Diagnostics& other) {
  errors_ += other.errors_;
  notKept_ += other.notKept_;
  for (const Diagnostic& diagnostic : other.list_) Keep(diagnostic);
}

}  // namespace morlune
