// Library values as JavaScript values for the raw module: bytes as
// Uint8Arrays of their own, errors as plain objects that the wrapper
// throws, geometry packed into one Float64Array per call so that a glyph
// crosses into JavaScript in one piece.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <emscripten/val.h>
#include <morlune/morlune.h>

namespace morlune::web {

using emscripten::val;

// The bytes of a string that embind made of a Uint8Array, as the library
// takes them.
std::span<const Byte> ByteSpan(const std::string& bytes);

// A Uint8Array holding a copy of the bytes.
val BytesValue(std::span<const Byte> bytes);
val BytesValue(std::string_view bytes);
// A Float64Array, and a Uint32Array, holding a copy of the numbers.
val NumbersValue(std::span<const double> numbers);
val CountsValue(std::span<const std::uint32_t> counts);

// {error: {kind, message, diagnostics}}: kind one of "notAFont",
// "unreadable", "sourceErrors", "noSuchCode", "badArgument", "encoding".
val ErrorValue(const Error& error);
// Any other refusal of the bindings, with a kind of the same words.
val ErrorValue(std::string_view kind, std::string_view message);
// [{line, column, isError, message}].
val DiagnosticsValue(const std::vector<Diagnostic>& diagnostics);
val StringsValue(const std::vector<std::string>& strings);

// Paths as numbers: the path count, then per path its start (x, y) and
// segment count, then per segment 0 and from, to (a line) or 1 and from,
// to, centre, axisX, axisY, sweep, shear (an arc).
void PackPaths(const std::vector<Path>& paths, std::vector<double>& numbers);

// A variant named as JavaScript names it ("shapes11"...; empty: none
// named); false for a name that is no variant's.
bool VariantOption(const std::string& name, std::optional<Variant>& variant);

}  // namespace morlune::web
