// morlune.compile: shape source text to a compiled font's bytes.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <morlune/compile.h>
#include <pybind11/stl.h>

#include "python/bindings.h"
#include "python/errors.h"
#include "python/python_values.h"

namespace morlune::python {
namespace {

// Source text is bytes; a str is taken as its UTF-8.
std::string SourceBytes(const py::object& source) {
  if (py::isinstance<py::bytes>(source)) return source.cast<std::string>();
  if (py::isinstance<py::str>(source)) return source.cast<std::string>();
  throw py::type_error("compile() takes the source text as str or bytes");
}

py::bytes CompileText(const py::object& source, const std::optional<std::string>& variant, bool dropDefaultNames,
                      bool takeCounted) {
  CompileOptions options = CompileOptionsOf(variant, dropDefaultNames, takeCounted);
  std::string text = SourceBytes(source);
  auto font = [&] {
    py::gil_scoped_release release;
    return Compile(text, options);
  }();
  std::vector<Byte> bytes = Unwrap(std::move(font));
  return py::bytes(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

void BindCompile(py::module_& module) {
  module.def("compile", &CompileText, py::arg("source"), py::arg("variant") = py::none(),
             py::arg("drop_default_names") = false, py::arg("take_counted") = false,
             "Compiles shape source text (str, as UTF-8, or bytes) to a font's bytes, as\n"
             "morlune-compile does.\n\n"
             "variant: \"shapes10\", \"shapes11\", \"bigfont\" or \"unifont\"; None takes the\n"
             "text's own (a *UNIFONT header, a *BIGFONT line), or shapes 1.1.\n"
             "drop_default_names: a name equal to its code's default name is stored empty.\n"
             "take_counted: a header count that differs from its numbers' bytes is a\n"
             "warning, not an error.\n\n"
             "Raises CompileError, with every problem in .diagnostics, when the text has\n"
             "errors; ValueError for an unknown variant.");
}

}  // namespace morlune::python
