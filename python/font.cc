// morlune.Font and morlune.Record: a compiled font opened from bytes or a
// file, its records, header values and escape ranges, its source text and
// its glyphs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <morlune/morlune.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include "python/bindings.h"
#include "python/errors.h"
#include "python/font_handle.h"
#include "python/python_values.h"

namespace morlune::python {
namespace {

// A record as a script sees it: values of its own, which stay valid
// whatever becomes of the font.
struct PyRecord {
  std::uint32_t code = 0;
  py::bytes name;
  py::object defaultName;  // str or None
  py::bytes data;
};

py::bytes BytesOf(std::span<const Byte> bytes) {
  return py::bytes(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

FontHandle FontFromBuffer(const py::buffer& data) {
  py::buffer_info info = data.request();
  if (info.ndim != 1 || info.itemsize != 1 || info.strides[0] != 1) {
    throw py::type_error("Font() takes the font's bytes: bytes, bytearray or a contiguous memoryview of bytes");
  }
  std::span<const Byte> bytes(static_cast<const Byte*>(info.ptr), static_cast<std::size_t>(info.size));
  auto font = [&] {
    py::gil_scoped_release release;
    return Font::FromBytes(bytes);
  }();
  return FontHandle{Unwrap(std::move(font)), py::none()};
}

FontHandle FontFromFile(const std::filesystem::path& path) {
  auto font = [&] {
    py::gil_scoped_release release;
    return Font::Open(path);
  }();
  return FontHandle{Unwrap(std::move(font)), py::none()};
}

// One record as a script sees it.
PyRecord RecordOf(const Record& record) {
  py::object defaultName = py::none();
  if (record.defaultName) defaultName = TextOf(*record.defaultName);
  return PyRecord{record.code, BytesOf(record.name), std::move(defaultName), BytesOf(record.data)};
}

py::object Records(FontHandle& handle) {
  if (handle.records.is_none()) {
    const auto& records = handle.font.records();
    py::tuple tuple(records.size());
    for (std::size_t index = 0; index < records.size(); ++index) {
      tuple[index] = py::cast(RecordOf(records[index]));
    }
    handle.records = std::move(tuple);
  }
  return handle.records;
}

py::list EscapeRanges(const FontHandle& handle) {
  py::list list;
  for (const EscapeRange& range : handle.font.escapeRanges()) list.append(py::make_tuple(range.first, range.last));
  return list;
}

py::bytes Decompile(const FontHandle& handle, bool decimal, bool escaped) {
  Decompiled decompiled;
  {
    py::gil_scoped_release release;
    decompiled = handle.font.Decompile({.decimal = decimal, .escaped = escaped});
  }
  return py::bytes(decompiled.text);
}

// What morlune writes on standard error for the font ("Could not read
// shape index"): a font cut short opens, with what could be read of it.
py::object Notices(FontHandle& handle) {
  if (handle.notices.is_none()) {
    Decompiled decompiled;
    {
      py::gil_scoped_release release;
      decompiled = handle.font.Decompile();
    }
    py::list notices;
    for (const std::string& notice : decompiled.notices) notices.append(TextOf(notice));
    handle.notices = std::move(notices);
  }
  return handle.notices;
}

py::bytes CompileBack(const FontHandle& handle, const std::optional<std::string>& variant, bool dropDefaultNames,
                      bool takeCounted) {
  CompileOptions options = CompileOptionsOf(variant, dropDefaultNames, takeCounted);
  auto compiled = [&] {
    py::gil_scoped_release release;
    return handle.font.CompileBack(options);
  }();
  std::vector<Byte> bytes = Unwrap(std::move(compiled));
  return py::bytes(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

py::object Find(const FontHandle& handle, const py::handle& code) {
  std::optional<std::uint32_t> known = CodeOf(code);
  const Record* record = known ? handle.font.Find(*known) : nullptr;
  if (record == nullptr) return py::none();
  return py::cast(RecordOf(*record));
}

Glyph GlyphOf(const FontHandle& handle, const py::handle& code) {
  std::optional<std::uint32_t> known = CodeOf(code);
  if (!known) {
    py::object hex = py::module_::import("builtins").attr("format")(code, "04X");
    throw py::key_error("the font has no shape " + hex.cast<std::string>());
  }
  auto glyph = [&] {
    py::gil_scoped_release release;
    return handle.font.GlyphOf(*known);
  }();
  return Unwrap(std::move(glyph));
}

py::str Listing(const FontHandle& handle) {
  std::string listing;
  {
    py::gil_scoped_release release;
    listing = handle.font.Listing();
  }
  return TextOf(listing);
}

std::string FontRepr(const FontHandle& handle) {
  return "<morlune.Font " + std::string(VariantName(handle.font.variant())) + ", " +
         std::to_string(handle.font.records().size()) + " records>";
}

std::string RecordRepr(const PyRecord& record) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(record.code));
  return "<morlune.Record code=" + std::string(code) + " name=" + std::string(py::repr(record.name)) + " " +
         std::to_string(py::len(record.data)) + " bytes>";
}

}  // namespace

std::optional<std::uint32_t> CodeOf(const py::handle& code) {
  if (!py::isinstance<py::int_>(code)) {
    throw py::type_error("a code is an int, not " + std::string(py::str(py::type::of(code).attr("__name__"))));
  }
  int overflow = 0;
  long long value = PyLong_AsLongLongAndOverflow(code.ptr(), &overflow);
  if (value == -1 && PyErr_Occurred()) throw py::error_already_set();
  if (overflow != 0 || value < 0 || value > 0xFFFFFFFFLL) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

void BindFont(py::module_& module) {
  py::class_<PyRecord>(module, "Record",
                       "One record of a font, as the decompiler walks it: the font-header record\n"
                       "(code 0) and every shape.")
      .def_readonly("code", &PyRecord::code, "The record's code (int); 0 for the font-header record.")
      .def_readonly("name", &PyRecord::name, "The name as stored, without its zero byte (bytes; may be empty).")
      .def_readonly("default_name", &PyRecord::defaultName,
                    "The name the decompiler gives the record when none is stored (str), from the\n"
                    "table of character names; None when the code has none.")
      .def_readonly("data", &PyRecord::data,
                    "The record's declared data bytes, as far as the file holds them (bytes).")
      .def("__repr__", &RecordRepr);

  py::class_<FontHandle>(module, "Font",
                         "A compiled shape font: shapes 1.0 or 1.1, bigfont 1.0 or unifont 1.0.\n\n"
                         "Font(data) opens the font's bytes; source text is compiled first\n"
                         "(see diagnostics). Raises FontError for bytes that are neither, and\n"
                         "CompileError for source text with errors. A Font does not change.")
      .def(py::init(&FontFromBuffer), py::arg("data"),
           "Opens a compiled font, or compiles source text, from its bytes (bytes,\n"
           "bytearray or memoryview); the bytes are copied.")
      .def_static("open", &FontFromFile, py::arg("path"),
                  "Opens a compiled font or source text from a file (str or path-like).\n"
                  "Raises OSError when the file cannot be read.")
      .def_property_readonly(
          "variant", [](const FontHandle& handle) { return std::string(VariantName(handle.font.variant())); },
          "The variant: \"shapes10\", \"shapes11\", \"bigfont\" or \"unifont\".")
      .def_property_readonly(
          "kind", [](const FontHandle& handle) { return std::string(VariantName(handle.font.variant())); },
          "The old name of variant, kept for one release.")
      .def_property_readonly("records", &Records,
                             "The records in the decompiler's order, the font-header record included\n"
                             "(a tuple of Record).")
      .def_property_readonly(
          "height", [](const FontHandle& handle) { return handle.font.header().height; },
          "Units above the baseline, from the font-header record (0 without one).")
      .def_property_readonly(
          "depth", [](const FontHandle& handle) { return handle.font.header().depth; },
          "Units below the baseline, from the font-header record (0 without one).")
      .def_property_readonly(
          "modes", [](const FontHandle& handle) { return handle.font.header().modes; },
          "The font-header record's modes: 2 where the font also has vertical forms.")
      .def_property_readonly("escape_ranges", &EscapeRanges,
                             "A bigfont's ranges of lead bytes that begin two-byte codes, as a list\n"
                             "of (first, last); empty for the other variants.")
      .def_property_readonly(
          "bytes", [](const FontHandle& handle) { return BytesOf(handle.font.bytes()); },
          "The compiled font's bytes (for source text, those it compiled to).")
      .def_property_readonly(
          "compiled", [](const FontHandle& handle) { return BytesOf(handle.font.bytes()); },
          "The old name of bytes, kept for one release.")
      .def_property_readonly("notices", &Notices,
                             "What the morlune command writes on standard error for the font, a str a\n"
                             "line (\"Could not read shape index\" for bytes cut inside the index): a\n"
                             "font that is damaged opens with what can be read of it. Empty for a\n"
                             "whole font.")
      .def_property_readonly(
          "diagnostics", [](const FontHandle& handle) { return DiagnosticTuples(handle.font.compileDiagnostics(), false); },
          "For a font opened from source text, the compiler's warnings as a list of\n"
          "(line, column, message); empty otherwise.")
      .def("decompile", &Decompile, py::arg("decimal") = false, py::arg("escaped") = false,
           "The source text, exactly as the morlune command writes it on standard output\n"
           "(bytes). decimal: codes in decimal (morlune -d); escaped: \"esc:\" names for\n"
           "unnamed two-byte codes (morlune -e).")
      .def("compile_back", &CompileBack, py::kw_only(), py::arg("variant") = py::none(),
           py::arg("drop_default_names") = false, py::arg("take_counted") = false,
           "The decompiled text compiled back to a font's bytes, as morlune |\n"
           "morlune-compile gives them; the options are compile()'s.")
      .def("find", &Find, py::arg("code"),
           "The first record the decompiler walks with that code (a Record), or None.")
      .def("glyph", &GlyphOf, py::arg("code"),
           "The geometry of the first record with that code, drawn as a character\n"
           "(a Glyph). Raises KeyError when no record has the code.")
      .def("listing", &Listing,
           "The listing of every drawn record, exactly as morlune-draw --list writes it\n"
           "(str): code, advance and SVG path data per line.")
      .def(
          "__len__", [](const FontHandle& handle) { return handle.font.records().size(); },
          "The number of records, the font-header record included.")
      .def(
          "__contains__",
          [](const FontHandle& handle, const py::handle& code) {
            std::optional<std::uint32_t> known = CodeOf(code);
            return known && handle.font.Find(*known) != nullptr;
          },
          py::arg("code"), "Whether a record has the code.")
      .def("__repr__", &FontRepr);
}

}  // namespace morlune::python
