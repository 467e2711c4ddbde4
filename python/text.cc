// morlune.layout_text and morlune.TextLayout: text set in a font (and a
// bigfont) at a height, width factor and oblique angle, in drawing units.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include <morlune/text.h>
#include <pybind11/stl.h>

#include "python/bindings.h"
#include "python/errors.h"
#include "python/font_handle.h"
#include "python/python_values.h"

namespace morlune::python {
namespace {

// collections.namedtuple("PlacedGlyph", "code origin from_bigfont"), made
// with the module.
PyObject* placedGlyph = nullptr;

TextLayout LayOut(const std::string& text, const FontHandle& font, const FontHandle* bigfont, double height,
                  double widthFactor, double oblique, const std::optional<std::string>& encoding) {
  TextStyle style{.font = font.font,
                  .bigfont = bigfont ? std::optional<Font>(bigfont->font) : std::nullopt,
                  .height = height,
                  .widthFactor = widthFactor,
                  .obliqueDegrees = oblique,
                  .encoding = encoding.value_or("")};
  auto layout = [&] {
    py::gil_scoped_release release;
    return LayOutText(style, text);
  }();
  return Unwrap(std::move(layout));
}

py::list Glyphs(const TextLayout& layout) {
  py::object type = py::reinterpret_borrow<py::object>(placedGlyph);
  py::list list;
  for (const PlacedGlyph& glyph : layout.glyphs) list.append(type(glyph.code, PointTuple(glyph.origin), glyph.fromBigfont));
  return list;
}

py::object Bounds(const TextLayout& layout) {
  const Box& box = layout.bounds;
  if (box.empty) return py::none();
  return py::make_tuple(box.min.x, box.min.y, box.max.x, box.max.y);
}

py::str Missing(const TextLayout& layout) {
  PyObject* text = PyUnicode_FromKindAndData(PyUnicode_4BYTE_KIND, layout.missing.data(),
                                             static_cast<Py_ssize_t>(layout.missing.size()));
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(text);
}

// Python's names for the kinds: stable words a script can compare.
const char* KindName(TextWarningKind kind) {
  switch (kind) {
    case TextWarningKind::kGlyph: return "glyph";
    case TextWarningKind::kNotWritable: return "not_writable";
    case TextWarningKind::kNoSuchShape: return "no_such_shape";
    case TextWarningKind::kLinePastBound: return "line_past_bound";
  }
  return "unknown";
}

std::string WarningRepr(const TextWarning& warning) {
  return std::string("<morlune.TextWarning ") + KindName(warning.kind) + " code=" + std::to_string(warning.code) +
         ">";
}

std::string LayoutRepr(const TextLayout& layout) {
  char text[120];
  std::snprintf(text, sizeof text, "<morlune.TextLayout %zu glyph%s, advance (%g, %g)>", layout.glyphs.size(),
                layout.glyphs.size() == 1 ? "" : "s", layout.advance.x, layout.advance.y);
  return text;
}

}  // namespace

void BindText(py::module_& module) {
  py::object namedtuple = py::module_::import("collections").attr("namedtuple");
  py::object type = namedtuple("PlacedGlyph", "code origin from_bigfont", py::arg("module") = "morlune");
  type.attr("__doc__") =
      "A glyph of a TextLayout: its code (int), its origin (x, y) in drawing units,\n"
      "and whether it came from the style's bigfont (bool).";
  placedGlyph = type.inc_ref().ptr();  // kept for the life of the process, as the module is
  module.add_object("PlacedGlyph", type);

  py::class_<TextWarning>(module, "TextWarning", "Something setting a text skipped, or where it stopped.")
      .def_property_readonly(
          "kind", [](const TextWarning& warning) { return KindName(warning.kind); },
          "What happened (str): \"glyph\" (a glyph's drawing: see glyph_warning),\n"
          "\"not_writable\" (a character past the fonts' codes or the code page),\n"
          "\"no_such_shape\" (a code without a shape) or \"line_past_bound\" (the\n"
          "line passes 2^31 units).")
      .def_readonly("code", &TextWarning::code,
                    "The shape concerned: drawn, lacked, or the last one set (int; 0 for\n"
                    "not_writable).")
      .def_property_readonly(
          "character",
          [](const TextWarning& warning) -> py::object {
            if (warning.kind != TextWarningKind::kNotWritable) return py::none();
            return py::reinterpret_steal<py::object>(PyUnicode_FromOrdinal(static_cast<int>(warning.character)));
          },
          "not_writable: the character left out (str); None otherwise.")
      .def_property_readonly(
          "glyph_warning",
          [](const TextWarning& warning) -> py::object {
            if (warning.kind != TextWarningKind::kGlyph) return py::none();
            return py::cast(warning.glyph);
          },
          "glyph: the drawing's own warning (a GlyphWarning); None otherwise.")
      .def_property_readonly(
          "message", [](const TextWarning& warning) { return TextOf(warning.message); },
          "The line morlune-draw writes for it (str).")
      .def("__str__", [](const TextWarning& warning) { return TextOf(warning.message); })
      .def("__repr__", &WarningRepr);

  py::class_<TextLayout>(module, "TextLayout",
                         "A line of text set in a font: made by layout_text(). Drawing units: x to\n"
                         "the right, y up, the line's origin at (0, 0) on the baseline.")
      .def_property_readonly("glyphs", &Glyphs,
                             "The glyphs placed, in text order: a list of PlacedGlyph(code, origin).")
      .def_property_readonly(
          "segments", [](const TextLayout& layout) { return SegmentTuples(layout.paths); },
          "Every drawn segment in drawing units, the same tuples as Glyph.segments:\n"
          "(\"line\", from, to) or (\"arc\", from, to, centre, (ax, ay), sweep_degrees).\n"
          "Set oblique, an arc has a seventh item, its shear k: the point at angle t\n"
          "is (cx + ax cos t + k ay sin t, cy + ay sin t).")
      .def_property_readonly(
          "advance", [](const TextLayout& layout) { return PointTuple(layout.advance); },
          "Where text set after this line would start, (x, y).")
      .def_property_readonly("bounds", &Bounds,
                             "The box of the drawn segments, (min_x, min_y, max_x, max_y), or None\n"
                             "when nothing is drawn.")
      .def_property_readonly("missing", &Missing,
                             "The characters that the fonts lack or the code page cannot write, each\n"
                             "once, in the order they first come (str).")
      .def_property_readonly(
          "warnings", [](const TextLayout& layout) { return py::cast(layout.warnings); },
          "What setting the text skipped, in the order met: characters left out, then\n"
          "each glyph's drawing (a list of TextWarning; str() of one is its line).")
      .def("__repr__", &LayoutRepr);

  module.def("layout_text", &LayOut, py::arg("text"), py::arg("font"), py::arg("bigfont") = nullptr,
             py::arg("height") = 1.0, py::arg("width_factor") = 1.0, py::arg("oblique") = 0.0,
             py::arg("encoding") = py::none(),
             "Sets text (str) in a font as drafting programs set it and returns a TextLayout.\n\n"
             "font: a Font (shapes, unifont or bigfont). bigfont: a bigfont whose two-byte\n"
             "codes join a shapes font or unifont; the text is then taken in the bigfont's\n"
             "code page, a byte in one of its escape ranges starting a two-byte code.\n"
             "height: drawing units per the font's height above the baseline.\n"
             "width_factor: x is multiplied by it. oblique: degrees of shear, x += y tan(oblique).\n"
             "encoding: the code page of byte-coded fonts (iconv's names); None: a shapes\n"
             "font takes the text as Latin-1, a bigfont alone its UTF-8 bytes as they are.\n\n"
             "Characters that no font has are left out and listed in .missing. Raises\n"
             "ValueError for a height of 0 or an unknown encoding.");
}

}  // namespace morlune::python
