// The outcome of a library call: a value, or an error with its kind and a
// sentence a person can read.
#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include <morlune/export.h>

namespace morlune {

enum class ErrorKind {
  kNotAFont,       // the bytes are neither a compiled font nor source text
  kUnreadable,     // the file could not be opened or read
  kSourceErrors,   // source text with errors: see Error::diagnostics
  kNoSuchCode,     // no record of the font has that code
  kBadArgument,    // a value out of its range (a height of 0, an unknown variant name)
  kEncoding,       // the encoding is unknown, or the text cannot be written in it
};

// A problem of a source text. Line and column count from 1, the column in
// bytes.
struct Diagnostic {
  long long line = 1;
  long long column = 1;
  bool isError = true;
  std::string message;
};

struct Error {
  ErrorKind kind = ErrorKind::kNotAFont;
  std::string message;
  std::vector<Diagnostic> diagnostics;  // for kSourceErrors (and warnings found with them)
};

// A value or an error; check with ok() (or in a condition) before value().
template <typename T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Error error) : state_(std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  const Error& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

}  // namespace morlune
