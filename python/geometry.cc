// morlune.Glyph and morlune.GlyphWarning: what a glyph draws, as segments
// in font units, where its pen ends and what its drawing skipped.
#include <cstdio>
#include <string>

#include <morlune/geometry.h>
#include <pybind11/stl.h>

#include "python/bindings.h"
#include "python/python_values.h"

namespace morlune::python {
namespace {

// Python's names for the kinds: stable words a script can compare.
const char* KindName(GlyphWarningKind kind) {
  switch (kind) {
    case GlyphWarningKind::kCutShort: return "cut_short";
    case GlyphWarningKind::kZeroScale: return "zero_scale";
    case GlyphWarningKind::kStackFull: return "stack_full";
    case GlyphWarningKind::kStackEmpty: return "stack_empty";
    case GlyphWarningKind::kNoHeight: return "no_height";
    case GlyphWarningKind::kSubshapeZero: return "subshape_zero";
    case GlyphWarningKind::kNoSuchShape: return "no_such_shape";
    case GlyphWarningKind::kAlreadyDrawn: return "already_drawn";
    case GlyphWarningKind::kTooDeep: return "too_deep";
    case GlyphWarningKind::kTooManyItems: return "too_many_items";
    case GlyphWarningKind::kScaleBound: return "scale_bound";
    case GlyphWarningKind::kPositionBound: return "position_bound";
    case GlyphWarningKind::kRunSpent: return "run_spent";
    case GlyphWarningKind::kFileEnds: return "file_ends";
  }
  return "unknown";
}

std::string GlyphRepr(const Glyph& glyph) {
  std::size_t segments = 0;
  for (const Path& path : glyph.paths) segments += path.segments.size();
  char text[160];
  std::snprintf(text, sizeof text, "<morlune.Glyph code=0x%04X advance=(%g, %g) %zu segments %zu warnings>",
                static_cast<unsigned>(glyph.code), glyph.advance.x, glyph.advance.y, segments,
                glyph.warnings.size());
  return text;
}

std::string WarningRepr(const GlyphWarning& warning) {
  return std::string("<morlune.GlyphWarning ") + KindName(warning.kind) + " code=" + std::to_string(warning.code) +
         " count=" + std::to_string(warning.count) + ">";
}

}  // namespace

void BindGeometry(py::module_& module) {
  py::class_<GlyphWarning>(module, "GlyphWarning",
                           "Something a glyph's drawing skipped, or where it stopped.")
      .def_property_readonly(
          "kind", [](const GlyphWarning& warning) { return KindName(warning.kind); },
          "What happened (str): \"cut_short\", \"zero_scale\", \"stack_full\", \"stack_empty\",\n"
          "\"no_height\", \"subshape_zero\", \"no_such_shape\", \"already_drawn\", \"too_deep\",\n"
          "\"too_many_items\", \"scale_bound\", \"position_bound\", \"run_spent\" or \"file_ends\".")
      .def_readonly("code", &GlyphWarning::code,
                    "The record concerned: the one cut short, the subshape's code, or the record whose "
                    "push, pop or scale is ignored or where the glyph stops (int).")
      .def_readonly("count", &GlyphWarning::count, "How often it came within the glyph (int).")
      .def_property_readonly(
          "message", [](const GlyphWarning& warning) { return TextOf(warning.message); },
          "The words morlune-draw writes after \"shape CODE: \" (str).")
      .def("__str__", [](const GlyphWarning& warning) { return TextOf(warning.message); })
      .def("__repr__", &WarningRepr);

  py::class_<Glyph>(module, "Glyph",
                    "What one glyph draws, in font units: x to the right, y up, the glyph's\n"
                    "origin at (0, 0) on the baseline. Made by Font.glyph(code).")
      .def_readonly("code", &Glyph::code, "The code drawn (int).")
      .def_property_readonly(
          "advance", [](const Glyph& glyph) { return PointTuple(glyph.advance); },
          "Where the pen stands when the glyph ends, (x, y): the next glyph starts there.")
      .def_property_readonly(
          "segments", [](const Glyph& glyph) { return SegmentTuples(glyph.paths); },
          "The drawn segments in drawing order, as a new list of tuples:\n"
          "  (\"line\", (x0, y0), (x1, y1))\n"
          "  (\"arc\", (x0, y0), (x1, y1), (cx, cy), (ax, ay), sweep_degrees)\n"
          "An arc goes from (x0, y0) to (x1, y1) round the centre (cx, cy); its point\n"
          "at angle t is (cx + ax cos t, cy + ay sin t), the semi-axes signed by a\n"
          "mirroring frame; the sweep is counterclockwise positive, at most a half\n"
          "circle per arc. A pen lifted between segments shows as a segment that\n"
          "starts elsewhere than the one before it ends.")
      .def_property_readonly(
          "warnings", [](const Glyph& glyph) { return py::cast(glyph.warnings); },
          "What the drawing skipped or where it stopped (a list of GlyphWarning).")
      .def("__repr__", &GlyphRepr);
}

}  // namespace morlune::python
