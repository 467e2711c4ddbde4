// The module `morlune`: compiled shape fonts for Python scripts.
#include <morlune/version.h>

#include "python/bindings.h"

PYBIND11_MODULE(morlune, module) {
  module.doc() =
      "Compiled shape fonts: open a font from its bytes or a file, read its records,\n"
      "decompile it to source text, compile source text, draw its glyphs as segments,\n"
      "set text in it, check it, and convert it to and from SVG fonts, Hershey glyph\n"
      "lines and single-line fonts.\n\n"
      "    font = morlune.Font.open('font.kqx')\n"
      "    line = morlune.layout_text('Hello', font, height=10)\n"
      "    for segment in line.segments: ...\n";
  // Errors first: the other parts raise them.
  morlune::python::BindErrors(module);
  morlune::python::BindGeometry(module);
  morlune::python::BindFont(module);
  morlune::python::BindCompile(module);
  morlune::python::BindText(module);
  // Font first: its export is added to it.
  morlune::python::BindConvert(module);
  morlune::python::BindCheck(module);
  module.attr("__version__") = morlune::kVersion;
}
