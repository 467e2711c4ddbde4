// Buffered text output to a file descriptor, to a string (tests) or to
// nowhere. Bytes go out as given; a line feed becomes the platform's line end.
// A refused write is remembered, for the run to report at its end.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/short_copy.h"

namespace morlune {

struct TextOutput {
  TextOutput();
  ~TextOutput();  // flushes, and closes a descriptor it owns
  TextOutput(const TextOutput&) = delete;
  TextOutput& operator=(const TextOutput&) = delete;

  // Sends the text to fd; closes fd at the end only if ownsFd is set.
  void AttachFd(int fd, bool ownsFd);
  // Appends the text to *capture.
  void AttachCapture(std::string* capture);
  // Hands the text to sink, a block at a time.
  void AttachSink(std::function<void(std::string_view)> sink);
  // Sends the text nowhere.
  void AttachNothing();

  // Writes every line feed as carriage return and line feed, as a text
  // stream does on systems whose line end is two characters. The buffer
  // keeps bare line feeds; they are widened as the buffer goes out.
  void SetCrLfLineEnds(bool on) {
    Flush();
    crLf_ = on;
  }

  [[gnu::always_inline]] void Write(std::string_view text) {
    if (text.size() <= static_cast<std::size_t>(limit_ - next_)) {
      ShortCopy(next_, text.data(), text.size());
      next_ += text.size();
      return;
    }
    WriteSlow(text);
  }
  [[gnu::always_inline]] void Put(char c) {
    if (next_ == limit_) Flush();
    *next_++ = c;
  }

  // The most that Reserve may ask for.
  static constexpr std::size_t kMaxReserve = 4096;
  // Text formatted in place: Reserve(n) gives the place of the next byte
  // with room for n bytes after it (n at most kMaxReserve); the text written
  // there up to end goes out with Commit(end).
  [[gnu::always_inline]] char* Reserve(std::size_t n) {
    if (n > static_cast<std::size_t>(limit_ - next_)) Flush();
    return next_;
  }
  [[gnu::always_inline]] void Commit(char* end) { next_ = end; }

  void Flush();
  // Flushes, and closes a descriptor it owns; then sends the text nowhere.
  void Finish() { Release(); }

  // True once a write or the close of an owned descriptor has failed; the
  // text after that is dropped. FailureErrno is the first failure's error
  // number.
  bool Failed() const { return failureErrno_ != 0; }
  int FailureErrno() const { return failureErrno_; }
  // Fails the output for a reason found outside it (text it was to carry
  // that could not be had), as a refused write would.
  void Fail(int errorNumber) {
    if (failureErrno_ == 0) failureErrno_ = errorNumber;
  }

 private:
  void WriteSlow(std::string_view text);
  void Deliver(const char* text, std::size_t n);
  void Release();

  int fd_ = -1;
  bool ownsFd_ = false;
  bool crLf_ = false;
  int failureErrno_ = 0;
  std::string* capture_ = nullptr;
  std::function<void(std::string_view)> sink_;
  std::unique_ptr<char[]> buffer_;
  std::unique_ptr<char[]> crLfBuffer_;  // the buffer widened, made on first use
  char* next_ = nullptr;
  char* limit_ = nullptr;
};

}  // namespace morlune
