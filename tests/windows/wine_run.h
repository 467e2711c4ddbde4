// What the tests of the Windows build share: a run of one of its programs
// under Wine, in the session's prefix; a folder for each test with the
// program copied in; and the line ends of a text stream.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/process_run.h"

namespace morlune::testing {

// program under Wine with args, in the folder dir; standard input from the
// file stdinFile when kind is kFile. Wine's own messages and its offers to
// install .NET and a browser are kept out.
inline ProcessResult RunUnderWine(const std::string& program, std::vector<std::string> args, const std::string& dir,
                                  StdinKind kind = StdinKind::kNone, const std::string& stdinFile = "",
                                  std::vector<std::pair<std::string, std::string>> env = {}) {
  args.insert(args.begin(), program);
  env.insert(env.end(), {{"WINEPREFIX", MORLUNE_WINE_PREFIX}, {"WINEDEBUG", "-all"},
                         {"WINEDLLOVERRIDES", "mscoree,mshtml="}});
  return RunProcess({std::move(args), kind, stdinFile, "", std::move(env), dir, MORLUNE_WINE64});
}

// One test's folder: bin/ holds a copy of the program under test (and what a
// test puts beside it), work/ is the working folder of its runs.
class WineTest : public ::testing::Test {
 protected:
  explicit WineTest(const std::string& exe) : program_(bin_ + "/" + std::filesystem::path(exe).filename().string()) {
    std::filesystem::create_directories(bin_);
    std::filesystem::create_directories(work_);
    std::filesystem::copy_file(exe, program_);
  }

  ProcessResult Run(std::vector<std::string> args, StdinKind kind = StdinKind::kNone, const std::string& file = "") {
    return RunUnderWine(program_, std::move(args), work_, kind, file, env_);
  }

  const std::string top_ = MakeTempDir(), bin_ = top_ + "/bin", work_ = top_ + "/work";
  const std::string program_;
  std::vector<std::pair<std::string, std::string>> env_;  // for every run
};

// A line feed as a text stream on Windows writes it.
inline std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

}  // namespace morlune::testing
