// The problems found in a source text, each with its line and column, kept
// in the order of the text and capped so that a text full of faults cannot
// fill memory with them.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include <morlune/compile.h>
#include <morlune/result.h>

namespace morlune {

// A place in the text: line and column count from 1, the column in bytes.
struct SourcePlace {
  long long line = 1;
  long long column = 1;
};

inline bool operator<(const SourcePlace& a, const SourcePlace& b) {
  return a.line != b.line ? a.line < b.line : a.column < b.column;
}

// Each problem is the library's Diagnostic (line, column, error or warning,
// its words); its place orders the list.
inline SourcePlace PlaceOf(const Diagnostic& diagnostic) { return {diagnostic.line, diagnostic.column}; }

class Diagnostics {
 public:
  // Problems kept for showing (the library's default, which the tools
  // show); those past it are only counted.
  static constexpr std::size_t kDefaultKept = kKeptDiagnostics;
  explicit Diagnostics(std::size_t kept = kDefaultKept) : kept_(kept) {}

  void Error(SourcePlace place, std::string text) { Add(place, true, std::move(text)); }
  void Warning(SourcePlace place, std::string text) { Add(place, false, std::move(text)); }

  // The kept problems, in the order of their places; two at one place in
  // the order they were found.
  // Takes over another's problems and counts, as if found here.
  void Absorb(const Diagnostics& other);

  const std::vector<Diagnostic>& Kept() const { return list_; }
  std::size_t NotKept() const { return notKept_; }
  std::size_t ErrorCount() const { return errors_; }
  bool HasErrors() const { return errors_ > 0; }

 private:
  void Add(SourcePlace place, bool isError, std::string text);
  void Keep(Diagnostic diagnostic);

  std::size_t kept_;
  std::vector<Diagnostic> list_;
  std::size_t notKept_ = 0;
  std::size_t errors_ = 0;
};

}  // namespace morlune
