// Whole runs of morlune-compile and morlune-draw at the edges of their files: -o naming the input by its
// path, a link or standard input (other names of one file are tried on SameExistingFile itself), a
// temporary file that cannot be made beside the target, and a run ended by a signal while it writes. In
// each the target keeps what it held.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/e2e/golden_cases.h"
#include "tests/support/font_builder.h"
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
      fs::remove_all(dir);
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
    fs::permissions(dir + "/ro", fs::perms(0755));
    fs::remove_all(dir);
  }
}

// A font that takes morlune-draw long enough to draw that a signal can reach it while it writes: 200 shapes
// of 20,000 unit steps to and fro.
std::string SlowFont() {
  std::vector<FontRecord> records;
  std::string data(20000, '\x10');
  for (std::size_t i = 1; i < data.size(); i += 2) data[i] = '\x18';
  data.push_back('\0');
  for (int code = 1; code <= 200; ++code) {
    FontRecord record;
    record.code = static_cast<std::uint16_t>(code);
    record.bytes = std::string(1, '\0') + data;
    records.push_back(record);
  }
  return BuildFont(FontLayout(FontVariant::kShapes11, records));
}

// The child with the three signals at their default action, whatever the test was started with.
pid_t StartDraw(const std::string& dir, const std::vector<std::string>& args) {
  pid_t pid = ::fork();
  if (pid != 0) return pid;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::signal(signal, SIG_DFL);
  if (::chdir(dir.c_str()) != 0) ::_exit(126);
  std::vector<char*> argv = {const_cast<char*>(MORLUNE_DRAW_BINARY)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ::execv(argv[0], argv.data());
  ::_exit(127);
}

// The new file of the run with that process id.
bool HasPartFile(const std::string& dir, pid_t pid) {
  for (const std::string& name : Names(dir)) {
    if (name.starts_with("out.svg.part" + std::to_string(pid) + "-")) return true;
  }
  return false;
}

TEST(ToolFiles, ASignalLeavesNoTemporaryFile) {
  const std::string dir = MakeTempDir();
  WriteFileBytes(dir + "/slow.kqx", SlowFont());
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(::strsignal(signal));
    WriteFileBytes(dir + "/out.svg", "old");
    pid_t pid = StartDraw(dir, {"-o", "out.svg", "slow.kqx"});
    ASSERT_GT(pid, 0);
    // Caught while the new file is being written: stopped there, then signalled.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!HasPartFile(dir, pid) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(pid, SIGSTOP);
    EXPECT_TRUE(HasPartFile(dir, pid)) << "the run ended before it could be interrupted";
    ::kill(pid, signal);
    ::kill(pid, SIGCONT);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "status " << status;
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"out.svg", "slow.kqx"}));
    EXPECT_EQ(ReadFileBytes(dir + "/out.svg"), "old");
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace morlune::testing
