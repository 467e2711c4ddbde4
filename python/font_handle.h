// What a morlune.Font holds: the library's font, and its records as Python
// values once a script has asked for them.
#pragma once

#include <morlune/font.h>
#include <pybind11/pybind11.h>

namespace morlune::python {

namespace py = pybind11;

struct FontHandle {
  Font font;
  py::object records;  // a tuple of Record, made at the first use
};

}  // namespace morlune::python
