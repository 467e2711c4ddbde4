// The command line read from a table: where values come from, which
// argument ends the scan, and that the four tools beside morlune word every
// problem of the command line's form alike.
#include "tools/common/option_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/morlune-check/check_options.h"
#include "tools/morlune-compile/command_line.h"
#include "tools/morlune-convert/convert_command.h"
#include "tools/morlune-draw/draw_options.h"

namespace morlune {
namespace {

// What a scan met, in order: "name=value@argument+offset" for an option,
// "operand" or "operand(after --)" for an operand.
struct Scanned {
  OptionScan scan;
  std::vector<std::string> met;
};

Scanned Scan(std::vector<const char*> args) {
  Scanned result;
  args.insert(args.begin(), "tool");
  auto record = [&result](const OptionValue& option) {
    std::string seen(option.name);
    if (option.text != nullptr) {
      seen.append("=").append(option.text).append("@").append(std::to_string(option.argument));
      seen.append("+").append(std::to_string(option.offset));
    }
    result.met.push_back(seen);
    return std::string(option.text != nullptr && std::string(option.text) == "bad" ? "refused" : "");
  };
  const OptionRule rules[] = {
      {"--output", 'o', true, record},
      {"--level", 0, true, record},
      {"--quiet", 0, false, record},
  };
  auto operand = [&result](const char* text, bool afterEnd) {
    result.met.push_back(std::string(text) + (afterEnd ? "(after --)" : ""));
    return std::string();
  };
  result.scan = ScanCommandLine(static_cast<int>(args.size()), args.data(), rules, operand);
  return result;
}

TEST(OptionScanner, TakesValuesInEveryForm) {
  struct Case {
    std::vector<const char*> args;
    std::vector<std::string> met;
  } cases[] = {
      {{"--level", "3"}, {"--level=3@2+0"}},
      {{"--level=3"}, {"--level=3@1+8"}},
      {{"--level=a=b"}, {"--level=a=b@1+8"}},  // the first "=" ends the name
      {{"--level="}, {"--level=@1+8"}},        // an empty value is a value
      {{"--level", "-x"}, {"--level=-x@2+0"}}, // the next argument, whatever it looks like
      {{"-o", "f"}, {"-o=f@2+0"}},
      {{"-of"}, {"-o=f@1+2"}},
      {{"--output", "f"}, {"--output=f@2+0"}},
      {{"--quiet", "a", "-", ""}, {"--quiet", "a", "-", ""}},
      {{"--", "--quiet", "-"}, {"--quiet(after --)", "-(after --)"}},
      {{"a", "--quiet", "b"}, {"a", "--quiet", "b"}},
  };
  for (const Case& c : cases) {
    Scanned scanned = Scan(c.args);
    SCOPED_TRACE(c.args.front());
    EXPECT_EQ(scanned.scan.verdict, OptionVerdict::kRun) << scanned.scan.error;
    EXPECT_EQ(scanned.met, c.met);
  }
}

TEST(OptionScanner, TheFirstProblemHelpOrVersionEndsTheScan) {
  struct Case {
    std::vector<const char*> args;
    OptionVerdict verdict;
    std::string error;
    std::size_t handled;  // options and operands met before the end
  } cases[] = {
      {{"--help", "--bogus"}, OptionVerdict::kHelp, "", 0},
      {{"--quiet", "--version", "--level"}, OptionVerdict::kVersion, "", 1},
      {{"--bogus", "--help"}, OptionVerdict::kUsageError, "unknown option '--bogus'", 0},
      {{"--bogus=1"}, OptionVerdict::kUsageError, "unknown option '--bogus'", 0},
      {{"-x"}, OptionVerdict::kUsageError, "unknown option '-x'", 0},
      {{"-qx"}, OptionVerdict::kUsageError, "unknown option '-qx'", 0},
      {{"--quiet=1"}, OptionVerdict::kUsageError, "option '--quiet' takes no value", 0},
      {{"--help=1"}, OptionVerdict::kUsageError, "option '--help' takes no value", 0},
      {{"a", "--level"}, OptionVerdict::kUsageError, "option '--level' needs a value", 1},
      {{"-o"}, OptionVerdict::kUsageError, "option '-o' needs a value", 0},
      {{"--lev", "1"}, OptionVerdict::kUsageError, "unknown option '--lev'", 0},  // no abbreviations
      {{"--level=bad", "b"}, OptionVerdict::kUsageError, "refused", 1},
  };
  for (const Case& c : cases) {
    Scanned scanned = Scan(c.args);
    SCOPED_TRACE(c.args.front());
    EXPECT_EQ(scanned.scan.verdict, c.verdict);
    EXPECT_EQ(scanned.scan.error, c.error);
    EXPECT_EQ(scanned.met.size(), c.handled);
  }
}

// Each tool's scan as a verdict and its problem, whatever the tool's own
// shape of result.
OptionScan ToolScan(const std::string& tool, std::vector<const char*> args) {
  args.insert(args.begin(), tool.c_str());
  int argc = static_cast<int>(args.size());
  if (tool == "morlune-draw") {
    DrawOptions options;
    return ScanDrawOptions(argc, args.data(), options);
  }
  if (tool == "morlune-check") {
    CheckCommandLine options;
    return ScanCheckOptions(argc, args.data(), options);
  }
  auto verdict = [](bool help, bool version, const std::string& problem) {
    if (!problem.empty()) return OptionScan{OptionVerdict::kUsageError, problem};
    return OptionScan{help ? OptionVerdict::kHelp : version ? OptionVerdict::kVersion : OptionVerdict::kRun, ""};
  };
  if (tool == "morlune-compile") {
    CompileCommand command = ParseCompileCommand(argc, args.data());
    return verdict(command.help, command.version, command.problem);
  }
  convert::ConvertCommand command = convert::ParseConvertCommand(argc, args.data());
  return verdict(command.help, command.version, command.problem);
}

TEST(OptionScanner, EveryToolWordsTheCommandLineAlike) {
  struct Case {
    std::vector<const char*> args;
    OptionVerdict verdict;
    std::string error;
  } cases[] = {
      {{"--help", "--bogus"}, OptionVerdict::kHelp, ""},
      {{"--version"}, OptionVerdict::kVersion, ""},
      {{"--bogus", "--help"}, OptionVerdict::kUsageError, "unknown option '--bogus'"},
      {{"--bogus=x"}, OptionVerdict::kUsageError, "unknown option '--bogus'"},
      {{"--version=2"}, OptionVerdict::kUsageError, "option '--version' takes no value"},
      {{"a", "-o"}, OptionVerdict::kUsageError, "option '-o' needs a value"},
      {{"a", "--output"}, OptionVerdict::kUsageError, "option '--output' needs a value"},
      {{"a", "--output="}, OptionVerdict::kUsageError, "option '--output' needs a file name"},
      {{"a", "-o", ""}, OptionVerdict::kUsageError, "option '-o' needs a file name"},
      {{"--output=out", "a"}, OptionVerdict::kRun, ""},
      {{"--output", "out", "a"}, OptionVerdict::kRun, ""},
      {{"-oout", "a"}, OptionVerdict::kRun, ""},
  };
  for (const char* tool : {"morlune-compile", "morlune-draw", "morlune-check", "morlune-convert"}) {
    for (const Case& c : cases) {
      OptionScan scan = ToolScan(tool, c.args);
      SCOPED_TRACE(std::string(tool) + " " + c.args.front());
      EXPECT_EQ(scan.verdict, c.verdict);
      EXPECT_EQ(scan.error, c.error);
    }
  }
}

}  // namespace
}  // namespace morlune
