// The Python module's parts, one per concept, each adding its classes and
// functions to the module that module.cc defines.
#pragma once

#include <pybind11/pybind11.h>

namespace morlune::python {

namespace py = pybind11;

void BindErrors(py::module_& module);
void BindGeometry(py::module_& module);
void BindFont(py::module_& module);
void BindCompile(py::module_& module);
void BindText(py::module_& module);
void BindConvert(py::module_& module);
void BindCheck(py::module_& module);

}  // namespace morlune::python
