// The exit statuses of the five tools: one name for each number, whichever
// tool gives it. Each tool gives those its manual page lists.
#pragma once

namespace morlune {

enum class ExitStatus : int {
  // The work was done, with or without warnings (--help and --version
  // too). morlune: the variant was recognised, however the dump ended.
  kDone = 0,
  // Nothing was made of the input: its content was refused, or the checker
  // found something at or above --fail-on. morlune-draw also gives it for
  // a font it cannot open or read; morlune for every run that ends before
  // the variant is known (its usage, a wrong option letter, a file that
  // will not open, a signature it does not know).
  kRefused = 1,
  // The command line is wrong, or an input cannot be read (all but
  // morlune).
  kUsage = 2,
  // The output could not be created or written: whatever the run had
  // found, the text it leaves is cut short.
  kOutputNotWritten = 3,
};

// The number the process ends with.
constexpr int ExitNumber(ExitStatus status) { return static_cast<int>(status); }

}  // namespace morlune
