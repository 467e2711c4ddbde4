// Font.export and morlune.import_font: a font to and from the interchange
// formats (SVG fonts, Hershey glyph lines, single-line fonts), with the
// losses and the import's account as values.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <morlune/convert.h>
#include <pybind11/stl.h>

#include "python/bindings.h"
#include "python/errors.h"
#include "python/font_handle.h"
#include "python/python_values.h"

namespace morlune::python {
namespace {

// Python's names for the kinds of loss: stable words a script can compare.
const char* LossName(LossKind kind) {
  switch (kind) {
    case LossKind::kArcsFlattened: return "arcs_flattened";
    case LossKind::kPointsMoved: return "points_moved";
    case LossKind::kAdvancesMoved: return "advances_moved";
    case LossKind::kCodesDropped: return "codes_dropped";
    case LossKind::kVerticalDropped: return "vertical_dropped";
    case LossKind::kPointsClamped: return "points_clamped";
    case LossKind::kStrokesCut: return "strokes_cut";
    case LossKind::kDrawingStopped: return "drawing_stopped";
    case LossKind::kInkedNoWidth: return "inked_no_width";
    case LossKind::kBlankDropped: return "blank_dropped";
    case LossKind::kRecordsUnreached: return "records_unreached";
  }
  return "unknown";
}

// An interchange format by its name; ValueError for any other.
FontFormat FormatOf(const std::string& name) {
  std::optional<FontFormat> format = FontFormatFromName(name);
  bool fits = format && (*format == FontFormat::kSvg || *format == FontFormat::kJhf || *format == FontFormat::kLff);
  if (!fits) throw py::value_error("unknown format '" + name + "': give svg, jhf or lff");
  return *format;
}

struct PyExported {
  py::bytes bytes;
  std::vector<Loss> losses;
};

struct PyImported {
  FontHandle font;
  py::bytes sourceText;
  ImportedFont values;
};

PyExported Export(const FontHandle& handle, const std::string& format, const std::optional<std::string>& encoding,
                  const std::string& name, bool strict) {
  ExportOptions options;
  options.format = FormatOf(format);
  options.encoding = encoding.value_or("");
  options.name = name;
  options.strict = strict;
  auto exported = [&] {
    py::gil_scoped_release release;
    return ExportFont(handle.font, options);
  }();
  ExportedFont done = Unwrap(std::move(exported));
  return {py::bytes(reinterpret_cast<const char*>(done.bytes.data()), done.bytes.size()), std::move(done.losses)};
}

PyImported Import(const py::buffer& data, const std::string& format, const std::string& name, int heightUnits,
                  double tolerance, bool toleranceInUnits, const std::optional<std::string>& variant,
                  const std::optional<std::string>& encoding) {
  py::buffer_info info = data.request();
  if (info.ndim != 1 || info.itemsize != 1 || info.strides[0] != 1) {
    throw py::type_error("import_font() takes the file's bytes: bytes, bytearray or a contiguous memoryview");
  }
  ImportOptions options;
  options.format = FormatOf(format);
  options.name = name;
  options.heightUnits = heightUnits;
  options.tolerance = tolerance;
  options.tolerancePerCap = !toleranceInUnits;
  options.encoding = encoding.value_or("");
  if (variant) {
    options.variant = VariantFromName(*variant);
    if (!options.variant || *options.variant == Variant::kShapes10) {
      throw py::value_error("unknown variant '" + *variant + "': give shapes11, unifont or bigfont");
    }
  }
  std::span<const Byte> bytes(static_cast<const Byte*>(info.ptr), static_cast<std::size_t>(info.size));
  auto imported = [&] {
    py::gil_scoped_release release;
    return ImportFont(bytes, options);
  }();
  ImportedFont done = Unwrap(std::move(imported));
  py::bytes source(done.sourceText);
  done.sourceText.clear();
  return PyImported{FontHandle{done.font, py::none()}, std::move(source), std::move(done)};
}

}  // namespace

void BindConvert(py::module_& module) {
  py::class_<Loss>(module, "Loss", "What an export could not carry, of one kind.")
      .def_property_readonly(
          "kind", [](const Loss& loss) { return LossName(loss.kind); },
          "What was lost (str): \"arcs_flattened\", \"points_moved\", \"advances_moved\",\n"
          "\"codes_dropped\", \"vertical_dropped\", \"points_clamped\", \"strokes_cut\",\n"
          "\"drawing_stopped\", \"inked_no_width\", \"blank_dropped\" or \"records_unreached\".")
      .def_readonly("count", &Loss::count, "How many (int).")
      .def_readonly("largest", &Loss::largest, "The most anything moved, in font units (float; 0 where no amount).")
      .def_property_readonly(
          "text", [](const Loss& loss) { return TextOf(loss.text); }, "The line morlune-convert writes (str).")
      .def("__str__", [](const Loss& loss) { return TextOf(loss.text); });

  py::class_<PyExported>(module, "ExportedFont", "A font exported: made by Font.export().")
      .def_readonly("bytes", &PyExported::bytes, "The file's bytes.")
      .def_readonly("losses", &PyExported::losses, "What the format could not carry (a list of Loss).");

  py::class_<PyImported>(module, "ImportedFont", "A font imported: made by import_font().")
      .def_readonly("font", &PyImported::font, "The compiled font (a Font).")
      .def_readonly("source_text", &PyImported::sourceText, "Its source text (bytes).")
      .def_property_readonly(
          "height_units", [](const PyImported& imported) { return imported.values.heightUnits; },
          "Font units per capital height (int).")
      .def_property_readonly(
          "tolerance", [](const PyImported& imported) { return imported.values.tolerance; },
          "The largest error allowed, in the input's units (float).")
      .def_property_readonly(
          "largest_error", [](const PyImported& imported) { return imported.values.largestError; },
          "The largest distance of the drawn font from the input, in the input's units.")
      .def_property_readonly(
          "largest_error_character",
          [](const PyImported& imported) -> py::object {
            if (imported.values.largestErrorCharacter == 0) return py::none();
            return py::reinterpret_steal<py::object>(
                PyUnicode_FromOrdinal(static_cast<int>(imported.values.largestErrorCharacter)));
          },
          "The character whose glyph strays that far (str), or None.")
      .def_property_readonly(
          "glyphs", [](const PyImported& imported) { return imported.values.glyphs; }, "Glyphs imported (int).")
      .def_property_readonly(
          "characters_left_out", [](const PyImported& imported) { return imported.values.charactersLeftOut; },
          "Characters the variant's codes cannot hold (int).")
      .def_property_readonly(
          "report",
          [](const PyImported& imported) {
            py::list lines;
            for (const std::string& line : imported.values.report) lines.append(TextOf(line));
            return lines;
          },
          "What morlune-convert tells of the import, a str a line.");

  py::object font = module.attr("Font");
  font.attr("export") = py::cpp_function(
      &Export, py::name("export"), py::is_method(font), py::sibling(py::getattr(font, "export", py::none())),
      py::arg("format"), py::kw_only(), py::arg("encoding") = py::none(), py::arg("name") = "font",
      py::arg("strict") = false,
      "The font in an interchange format (\"svg\", \"jhf\" or \"lff\"), as morlune-convert\n"
      "writes it: an ExportedFont with the bytes and the losses.\n\n"
      "encoding: the code page of a shapes font's or a bigfont's codes. name: the\n"
      "font's name in an SVG font. strict: any loss raises ValueError.");

  module.def("import_font", &Import, py::arg("data"), py::arg("format"), py::kw_only(), py::arg("name") = "font",
             py::arg("height_units") = 0, py::arg("tolerance") = 0.01, py::arg("tolerance_in_units") = false,
             py::arg("variant") = py::none(), py::arg("encoding") = py::none(),
             "A font in an interchange format (\"svg\", \"jhf\" or \"lff\") made a compiled shape\n"
             "font, as morlune-convert makes it: an ImportedFont.\n\n"
             "name: the font's name where the file gives none. height_units: font units per\n"
             "capital height (0: the smallest within the tolerance). tolerance: the largest\n"
             "error, a share of the capital height (or, with tolerance_in_units, in the\n"
             "file's units). variant: \"shapes11\", \"unifont\" or \"bigfont\". encoding: the\n"
             "code page of a shapes font's or a bigfont's codes.\n\n"
             "Raises FontError for bytes that are no font of the format.");
}

}  // namespace morlune::python
