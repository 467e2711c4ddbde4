// The library's errors as Python exceptions: FontError for bytes that are
// no font, CompileError for source text with errors (both ValueErrors),
// OSError for a file that cannot be read, KeyError for a code no record
// has, ValueError for the rest.
#pragma once

#include <utility>

#include <morlune/result.h>
#include <pybind11/pybind11.h>

namespace morlune::python {

// Sets the Python exception for the error and throws to pybind11.
[[noreturn]] void Raise(const Error& error);

// The value of a result, or its error raised. With the GIL held.
template <typename T>
T Unwrap(Result<T>&& result) {
  if (!result) Raise(result.error());
  return std::move(result).value();
}

}  // namespace morlune::python
