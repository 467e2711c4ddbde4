// What a tool's reading of its command line decided: run, print the help
// or the version, or stop on a usage error, told as text.
#pragma once

#include <string>

namespace morlune {

enum class OptionVerdict { kRun, kHelp, kVersion, kUsageError };

struct OptionScan {
  OptionVerdict verdict = OptionVerdict::kRun;
  std::string error;  // for kUsageError
};

}  // namespace morlune
