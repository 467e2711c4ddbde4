// The command line of morlune-check: [options] FONT...
#pragma once

#include <string>
#include <vector>

#include <morlune/check.h>

#include "tools/common/option_scanner.h"

namespace morlune {

struct CheckCommandLine {
  // The fonts in order; "-" stands for standard input (the only input when
  // none is named).
  std::vector<std::string> fonts;
  const char* outputPath = nullptr;  // null: standard output (also for -o -)
  bool json = false;
  Severity failOn = Severity::kFail;
  const char* coverage = nullptr;
  const char* encoding = nullptr;
};

OptionScan ScanCheckOptions(int argc, const char* const* argv, CheckCommandLine& options);

const char* CheckHelpText();

}  // namespace morlune
