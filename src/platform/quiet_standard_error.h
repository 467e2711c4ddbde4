// The standard error stream sent nowhere for a while, for a library that
// talks there on its own.
#pragma once

namespace morlune {

// While it lives, whatever is written to the process's standard error
// stream (descriptor 2) is discarded; the stream is restored when it ends.
// The stream is the process's own, so two at once on different threads
// would restore it out of turn: callers hold one at a time.
class QuietStandardError {
 public:
  QuietStandardError();
  ~QuietStandardError();
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace morlune
