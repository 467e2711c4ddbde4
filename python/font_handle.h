// What a morlune.Font holds: the library's font, and its records and
// notices as Python values once a script has asked for them.
#pragma once

#include <cstdint>
#include <optional>

#include <morlune/font.h>
#include <pybind11/pybind11.h>

namespace morlune::python {

namespace py = pybind11;

struct FontHandle {
  Font font;
  py::object records;  // a tuple of Record, made at the first use
  py::object notices = py::none();  // a list of str, made at the first use
};

// A code as a script gives it: any int. Nothing where it lies outside the
// codes a record can have (below 0 or past 32 bits), which no record has;
// TypeError for what is no int.
std::optional<std::uint32_t> CodeOf(const py::handle& code);

}  // namespace morlune::python
