// The module's exception classes and the one place that turns a library
// error into one of them.
#include "python/errors.h"

#include <string>

#include "python/bindings.h"
#include "python/python_values.h"

namespace morlune::python {
namespace {

// Created once with the module and kept for its life.
PyObject* fontError = nullptr;
PyObject* compileError = nullptr;

PyObject* NewErrorClass(py::module_& module, const char* name, const char* doc) {
  std::string qualified = std::string("morlune.") + name;
  PyObject* type = PyErr_NewExceptionWithDoc(qualified.c_str(), doc, PyExc_ValueError, nullptr);
  if (type == nullptr) throw py::error_already_set();
  module.add_object(name, py::reinterpret_borrow<py::object>(type));
  return type;
}

}  // namespace

void Raise(const Error& error) {
  py::str message = TextOf(error.message);
  switch (error.kind) {
    case ErrorKind::kNotAFont:
      PyErr_SetObject(fontError, message.ptr());
      break;
    case ErrorKind::kSourceErrors: {
      py::object exception = py::reinterpret_borrow<py::object>(compileError)(message);
      exception.attr("diagnostics") = DiagnosticTuples(error.diagnostics, true);
      exception.attr("warnings") = DiagnosticTuples(error.diagnostics, false);
      PyErr_SetObject(compileError, exception.ptr());
      break;
    }
    case ErrorKind::kUnreadable:
      PyErr_SetObject(PyExc_OSError, message.ptr());
      break;
    case ErrorKind::kNoSuchCode:
      PyErr_SetObject(PyExc_KeyError, message.ptr());
      break;
    case ErrorKind::kBadArgument:
    case ErrorKind::kEncoding:
    default:
      PyErr_SetObject(PyExc_ValueError, message.ptr());
      break;
  }
  throw py::error_already_set();
}

void BindErrors(py::module_& module) {
  fontError = NewErrorClass(module, "FontError",
                            "The bytes are neither a compiled shape font nor shape source text.\n\n"
                            "A ValueError: the value given is wrong, not the system.");
  compileError = NewErrorClass(module, "CompileError",
                               "Source text with errors; nothing was compiled. A ValueError.\n\n"
                               "Attributes:\n"
                               "  diagnostics: the errors, in the order of the text, as\n"
                               "      (line, column, message); line and column count from 1,\n"
                               "      the column in bytes.\n"
                               "  warnings: the warnings found with them, in the same form.");
}

}  // namespace morlune::python
