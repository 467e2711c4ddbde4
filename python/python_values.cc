// Segments are built through the C API rather than py::make_tuple: a font
// of a few megabytes draws millions of them, and each goes through here.
#include "python/python_values.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <variant>

namespace morlune::python {
namespace {

// A tuple that takes over the references; null (with the Python error set)
// when any of them, or the tuple itself, could not be made.
PyObject* NewTuple(std::initializer_list<PyObject*> items) {
  PyObject* tuple = PyTuple_New(static_cast<Py_ssize_t>(items.size()));
  bool whole = tuple != nullptr;
  Py_ssize_t index = 0;
  for (PyObject* item : items) {
    if (item == nullptr) whole = false;
    if (tuple != nullptr) {
      PyTuple_SET_ITEM(tuple, index, item);  // a null item is passed over when the tuple goes
    } else {
      Py_XDECREF(item);
    }
    ++index;
  }
  if (!whole) {
    Py_XDECREF(tuple);
    return nullptr;
  }
  return tuple;
}

PyObject* NewPair(double x, double y) { return NewTuple({PyFloat_FromDouble(x), PyFloat_FromDouble(y)}); }

PyObject* NewPoint(Point point) { return NewPair(point.x, point.y); }

// The two words that open every segment tuple, made once.
PyObject* Word(const char* text) {
  PyObject* word = PyUnicode_InternFromString(text);
  if (word == nullptr) throw py::error_already_set();
  return word;
}

PyObject* NewRef(PyObject* object) {
  Py_INCREF(object);
  return object;
}

// Makes the segments of one path. A segment starts where the one before
// it ends, so the two share one point tuple: tuples do not change, and a
// line then costs four new objects instead of seven.
class PathTuples {
 public:
  // A new reference, or null with the Python error set.
  PyObject* Segment(const morlune::Segment& segment) {
    static PyObject* const kLine = Word("line");
    static PyObject* const kArc = Word("arc");
    if (const auto* line = std::get_if<LineSegment>(&segment)) {
      PyObject* from = From(line->from);
      return NewTuple({NewRef(kLine), from, To(line->to)});
    }
    const auto& arc = std::get<ArcSegment>(segment);
    PyObject* from = From(arc.from);
    PyObject* to = To(arc.to);
    if (arc.shear != 0) {
      // Text set oblique shears its arcs: the seventh item says by how much.
      return NewTuple({NewRef(kArc), from, to, NewPoint(arc.centre), NewPair(arc.axisX, arc.axisY),
                       PyFloat_FromDouble(arc.sweep), PyFloat_FromDouble(arc.shear)});
    }
    return NewTuple({NewRef(kArc), from, to, NewPoint(arc.centre), NewPair(arc.axisX, arc.axisY),
                     PyFloat_FromDouble(arc.sweep)});
  }

  ~PathTuples() { Py_XDECREF(end_); }

 private:
  PyObject* From(Point point) {
    if (end_ != nullptr && Same(point.x, endPoint_.x) && Same(point.y, endPoint_.y)) return NewRef(end_);
    return NewPoint(point);
  }
  PyObject* To(Point point) {
    Py_XDECREF(end_);
    end_ = NewPoint(point);
    endPoint_ = point;
    return end_ == nullptr ? nullptr : NewRef(end_);
  }

  // The very number, -0 apart from 0.
  static bool Same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

  PyObject* end_ = nullptr;  // the last segment's end, while it lasts
  Point endPoint_;
};

}  // namespace

py::str TextOf(std::string_view text) {
  PyObject* str = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "backslashreplace");
  if (str == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(str);
}

py::tuple PointTuple(Point point) {
  PyObject* tuple = NewPoint(point);
  if (tuple == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::tuple>(tuple);
}

py::list SegmentTuples(const std::vector<Path>& paths) {
  std::size_t count = 0;
  for (const Path& path : paths) count += path.segments.size();
  py::list list(count);
  Py_ssize_t index = 0;
  for (const Path& path : paths) {
    PathTuples tuples;
    for (const Segment& segment : path.segments) {
      PyObject* tuple = tuples.Segment(segment);
      if (tuple == nullptr) throw py::error_already_set();
      PyList_SET_ITEM(list.ptr(), index++, tuple);
    }
  }
  return list;
}

py::list DiagnosticTuples(const std::vector<Diagnostic>& diagnostics, bool errors) {
  py::list list;
  for (const Diagnostic& diagnostic : diagnostics) {
    if (diagnostic.isError != errors) continue;
    list.append(py::make_tuple(diagnostic.line, diagnostic.column, TextOf(diagnostic.message)));
  }
  return list;
}

CompileOptions CompileOptionsOf(const std::optional<std::string>& variant, bool dropDefaultNames, bool takeCounted) {
  CompileOptions options{.variant = std::nullopt, .dropDefaultNames = dropDefaultNames, .takeCounted = takeCounted};
  if (variant) {
    options.variant = VariantFromName(*variant);
    if (!options.variant) {
      throw py::value_error("unknown variant '" + *variant + "': give shapes10, shapes11, bigfont or unifont");
    }
  }
  return options;
}

}  // namespace morlune::python
