// Shape source text to a compiled font, with every problem as a diagnostic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include <morlune/export.h>
#include <morlune/result.h>

namespace morlune {

// The library's one byte type: fonts, names and record data are bytes of it.
using Byte = std::uint8_t;

enum class Variant { kShapes10, kShapes11, kBigfont, kUnifont };

// "shapes10", "shapes11", "bigfont", "unifont".
MORLUNE_API std::string_view VariantName(Variant variant);
MORLUNE_API std::optional<Variant> VariantFromName(std::string_view name);

struct CompileOptions {
  // The variant to write; unset: the text's own, or shapes 1.1.
  std::optional<Variant> variant;
  // A name equal to the default name of its code is stored empty.
  bool dropDefaultNames = false;
  // A header's count that differs from its numbers' bytes is a warning.
  bool takeCounted = false;
};

// How many of a text's problems are kept as diagnostics, in the order of
// the text; those past them are only counted, so that a text full of
// faults cannot fill memory. Every morlune tool shows as many.
inline constexpr std::size_t kKeptDiagnostics = 100;

// A source text's problems, errors and warnings alike: those kept, and the
// count of those past them.
struct SourceProblems {
  std::vector<Diagnostic> diagnostics;  // at most kKeptDiagnostics, in the order of the text
  std::size_t notKept = 0;              // found past them, only counted
};

// The compiled font's bytes, or kSourceErrors with every diagnostic. Where
// it succeeds, the text's warnings go to warnings when given.
MORLUNE_API Result<std::vector<Byte>> Compile(std::string_view source, const CompileOptions& options = {},
                                              std::vector<Diagnostic>* warnings = nullptr);
// The same, with the text's every problem (errors where it fails, warnings
// where it succeeds) in problems, and the count of those not kept: what
// morlune-compile shows.
MORLUNE_API Result<std::vector<Byte>> Compile(std::string_view source, const CompileOptions& options,
                                              SourceProblems& problems);

}  // namespace morlune
