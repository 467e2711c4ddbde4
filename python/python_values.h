// Library values as Python values: points and segments as the tuples that
// scripts unpack, texts that need not be valid UTF-8 as str. Called with
// the GIL held.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <morlune/morlune.h>
#include <pybind11/pybind11.h>

namespace morlune::python {

namespace py = pybind11;

// UTF-8 as str; a byte that is not UTF-8 (a name from the font, a number
// of the source quoted in a message) comes out as \xNN rather than failing.
py::str TextOf(std::string_view text);

py::tuple PointTuple(Point point);

// Every segment of the paths in drawing order: ("line", from, to) or
// ("arc", from, to, centre, (axisX, axisY), sweep), the points as (x, y).
py::list SegmentTuples(const std::vector<Path>& paths);

// (line, column, message) for each diagnostic that is an error (isError)
// or, with errors false, each that is a warning.
py::list DiagnosticTuples(const std::vector<Diagnostic>& diagnostics, bool errors);

// compile() and Font.compile_back()'s keywords as the compiler's options;
// ValueError for a variant it does not know.
CompileOptions CompileOptionsOf(const std::optional<std::string>& variant, bool dropDefaultNames, bool takeCounted);

}  // namespace morlune::python
