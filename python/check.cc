// morlune.check: a font checked for faults, its findings as values.
#include <optional>
#include <span>
#include <string>
#include <utility>

#include <morlune/check.h>
#include <pybind11/stl.h>

#include "python/bindings.h"
#include "python/errors.h"
#include "python/python_values.h"

namespace morlune::python {
namespace {

py::object OptionalInt(const std::optional<long long>& value) {
  return value ? py::object(py::int_(*value)) : py::object(py::none());
}

py::str Character(char32_t character) {
  return py::reinterpret_steal<py::str>(PyUnicode_FromOrdinal(static_cast<int>(character)));
}

FontCheck Check(const py::buffer& data, const std::optional<std::string>& coverage,
                const std::optional<std::string>& coverageText, const std::optional<std::string>& encoding,
                const std::string& label) {
  py::buffer_info info = data.request();
  if (info.ndim != 1 || info.itemsize != 1 || info.strides[0] != 1) {
    throw py::type_error("check() takes the font's bytes: bytes, bytearray or a contiguous memoryview");
  }
  if (coverage && coverageText) throw py::value_error("give coverage or coverage_text, not both");
  CheckOptions options;
  options.encoding = encoding.value_or("");
  if (coverage) {
    bool range = coverage->starts_with("U+") || coverage->starts_with("u+");
    options.coverage = Unwrap(range ? CharacterSetOfRange(*coverage) : CharacterSetOfEncoding(*coverage));
  } else if (coverageText) {
    options.coverage = Unwrap(CharacterSetOfText("text", *coverageText));
  }
  std::span<const Byte> bytes(static_cast<const Byte*>(info.ptr), static_cast<std::size_t>(info.size));
  auto check = [&] {
    py::gil_scoped_release release;
    return CheckFont(bytes, options, label);
  }();
  return Unwrap(std::move(check));
}

}  // namespace

void BindCheck(py::module_& module) {
  py::class_<CheckFinding>(module, "Finding", "One finding of check(): what, how grave, where, and a sentence.")
      .def_readonly("id", &CheckFinding::id, "The stable identifier (str), e.g. \"missing-subshape\".")
      .def_property_readonly(
          "severity", [](const CheckFinding& finding) { return std::string(SeverityName(finding.severity)); },
          "\"FAIL\", \"WARN\" or \"INFO\".")
      .def_property_readonly(
          "code",
          [](const CheckFinding& finding) {
            return finding.code ? py::object(py::int_(*finding.code)) : py::object(py::none());
          },
          "The record concerned (int), or None.")
      .def_property_readonly(
          "line", [](const CheckFinding& finding) { return OptionalInt(finding.line); },
          "Source text: the line, from 1 (int), or None.")
      .def_property_readonly(
          "column", [](const CheckFinding& finding) { return OptionalInt(finding.column); },
          "Source text: the column in bytes, from 1 (int), or None.")
      .def_property_readonly(
          "text", [](const CheckFinding& finding) { return TextOf(finding.text); }, "The sentence (str).")
      .def_property_readonly(
          "missing",
          [](const CheckFinding& finding) {
            py::list ranges;
            for (const auto& [first, last] : finding.missing) ranges.append(py::make_tuple(Character(first), Character(last)));
            return ranges;
          },
          "coverage-missing: the characters lacked, as (first, last) ranges of str.")
      .def("__repr__", [](const CheckFinding& finding) {
        return "<morlune.Finding " + std::string(SeverityName(finding.severity)) + " " + finding.id + ">";
      });

  py::class_<FontCheck>(module, "FontCheck", "A font checked: made by check().")
      .def_readonly("label", &FontCheck::label, "The font's name in the report (str).")
      .def_property_readonly(
          "variant",
          [](const FontCheck& check) { return check.variant.empty() ? py::object(py::none()) : py::object(py::str(check.variant)); },
          "\"shapes10\", \"shapes11\", \"bigfont\" or \"unifont\"; None when no font was found.")
      .def_readonly("from_source", &FontCheck::fromSource, "Checked as shape source text (bool).")
      .def_readonly("findings", &FontCheck::findings,
                    "The findings (a list of Finding): the font as a whole first, then source\n"
                    "text by line, then records by code.")
      .def_property_readonly(
          "counts",
          [](const FontCheck& check) {
            py::dict counts;
            counts["FAIL"] = check.counts.fail;
            counts["WARN"] = check.counts.warn;
            counts["INFO"] = check.counts.info;
            return counts;
          },
          "The findings by severity, {\"FAIL\": n, \"WARN\": n, \"INFO\": n}.")
      .def_property_readonly(
          "lines", [](const FontCheck& check) { return TextOf(CheckReportLines({check})); },
          "The report as morlune-check writes it for this one font (str).");

  module.def("check", &Check, py::arg("data"), py::kw_only(), py::arg("coverage") = py::none(),
             py::arg("coverage_text") = py::none(), py::arg("encoding") = py::none(), py::arg("label") = "<font>",
             "Checks a compiled font or source text (bytes) as morlune-check does: a FontCheck.\n\n"
             "coverage: \"U+XXXX-YYYY\" (or one code point) or an encoding's name, whose\n"
             "characters the font should hold; coverage_text: a str whose characters it\n"
             "should hold. encoding: the code page of a shapes font's or a bigfont's codes.\n"
             "Raises ValueError for a coverage or an encoding that cannot be read.");
}

}  // namespace morlune::python
