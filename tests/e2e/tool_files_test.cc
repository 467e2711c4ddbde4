// Whole runs of morlune-compile and morlune-draw at the edges of their files: -o naming the input by its
// path, a link or standard input (other names of one file are tried on SameExistingFile itself), and a
// temporary file that cannot be made beside the target. In each the target keeps what it held. (A signal
// while the new file is open is tried on the pending file itself, whose opening sets the handler.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "tests/e2e/golden_cases.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

namespace fs = std::filesystem;

struct Tool {
  const char* name;
  const char* binary;
  std::string input;  // a good input of the tool
};

const Tool kTools[] = {
    {"morlune-compile", MORLUNE_COMPILE_BINARY, "*0,4,h\n0,0,0,0\n*00041,1,a\n0\n"},
    {"morlune-draw", MORLUNE_DRAW_BINARY, GoldenShapes11Font()},
};

// The names in the folder, sorted.
std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ToolFiles, OutputNamingTheInputIsRefused) {
  const struct {
    const char* spelling;
    std::string output;
    bool fromStandardInput;
  } rows[] = {
      {"the same path", "in", false},
      {"a symbolic link", "soft", false},
      {"standard input redirected from it", "in", true},
  };
  for (const Tool& tool : kTools) {
    for (const auto& row : rows) {
      SCOPED_TRACE(std::string(tool.name) + ", " + row.spelling);
      const std::string dir = MakeTempDir();
      WriteFileBytes(dir + "/in", tool.input);
      fs::create_symlink("in", dir + "/soft");
      std::vector<std::string> args = {"-o", row.output};
      if (!row.fromStandardInput) args.push_back("in");
      ProcessResult run = RunProcess({args, row.fromStandardInput ? StdinKind::kFile : StdinKind::kNone,
                                      dir + "/in", "", {}, dir, tool.binary});
      EXPECT_EQ(std::tie(run.status, run.out, run.err),
                std::make_tuple(2, "", std::string(tool.name) + ": " + row.output +
                                           ": refused as the output: it is the input file\n"));
      EXPECT_EQ(ReadFileBytes(dir + "/in"), tool.input);
      EXPECT_EQ(Names(dir), (std::vector<std::string>{"in", "soft"}));
    }
  }
}

// A target that may be written, in a folder that may not: the file beside it cannot be made, and the
// message says so. Root may write anywhere, so a root run drops to the unprivileged user for it.
TEST(ToolFiles, ATemporaryFileThatCannotBeMadeIsNamed) {
  for (const Tool& tool : kTools) {
    SCOPED_TRACE(tool.name);
    const std::string dir = MakeTempDir();
    fs::permissions(dir, fs::perms(0755));
    WriteFileBytes(dir + "/in", tool.input);
    fs::create_directory(dir + "/ro");
    WriteFileBytes(dir + "/ro/x", "old");
    fs::permissions(dir + "/ro/x", fs::perms(0666));
    fs::permissions(dir + "/ro", fs::perms(0555));
    std::vector<std::string> args = {tool.binary, "-o", "ro/x", "in"};
    std::string program = tool.binary;
    if (::geteuid() == 0) {
      args.insert(args.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups"});
      program = "/usr/bin/setpriv";
    } else {
      args.erase(args.begin());
    }
    ProcessResult run = RunProcess({args, StdinKind::kNone, "", "", {}, dir, program});
    EXPECT_EQ(std::tie(run.status, run.err),
              std::make_tuple(3, std::string(tool.name) +
                                     ": ro/x: cannot create the temporary file beside it: Permission denied\n"));
    EXPECT_EQ(ReadFileBytes(dir + "/ro/x"), "old");
    fs::permissions(dir + "/ro", fs::perms(0755));  // for the folder's removal
  }
}

}  // namespace
}  // namespace morlune::testing
