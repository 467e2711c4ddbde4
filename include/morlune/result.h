// The outcome of a library call: a value, or an error with its kind and a
// sentence a person can read.
#pragma once

#include <stdexcept>
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
  kLossy,          // a strict export: the format cannot carry everything of the font
};

// A problem of a source text. Line and column count from 1, the column in
// bytes.
struct Diagnostic {
  long long line = 1;
  long long column = 1;
  bool isError = true;
  std::string message;
};

// "LINE:COLUMN: error: TEXT" (or "warning: "), as morlune-compile shows a
// problem after the file's name and a colon.
inline std::string DiagnosticLine(const Diagnostic& diagnostic) {
  return std::to_string(diagnostic.line) + ":" + std::to_string(diagnostic.column) +
         (diagnostic.isError ? ": error: " : ": warning: ") + diagnostic.message;
}

struct Error {
  ErrorKind kind = ErrorKind::kNotAFont;
  std::string message;
  std::vector<Diagnostic> diagnostics;  // for kSourceErrors (and warnings found with them)
};

// What value() throws when the result is an error: the error itself, its
// sentence as what().
class BadResultAccess : public std::runtime_error {
 public:
  explicit BadResultAccess(Error error) : std::runtime_error(error.message), error_(std::move(error)) {}
  const Error& error() const noexcept { return error_; }

 private:
  Error error_;
};

// A value or an error; check with ok() (or in a condition) before value(),
// which throws BadResultAccess with the error's own sentence otherwise.
// A result dropped unread is a failure gone unnoticed: the compiler says so.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Error error) : state_(std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() & {
    ThrowUnlessOk();
    return std::get<0>(state_);
  }
  const T& value() const& {
    ThrowUnlessOk();
    return std::get<0>(state_);
  }
  T&& value() && {
    ThrowUnlessOk();
    return std::get<0>(std::move(state_));
  }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  // The error; on a result that holds a value, an error of kind
  // kBadArgument that says so.
  const Error& error() const {
    static const Error kNoError{ErrorKind::kBadArgument, "the result holds a value, not an error", {}};
    return ok() ? kNoError : std::get<1>(state_);
  }

 private:
  void ThrowUnlessOk() const {
    if (!ok()) throw BadResultAccess(std::get<1>(state_));
  }

  std::variant<T, Error> state_;
};

}  // namespace morlune
