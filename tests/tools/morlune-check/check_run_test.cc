// Whole runs of morlune-check in-process: the lines, the summary, the
// statuses of --fail-on, the command line's errors, unreadable inputs, -o.
// (That the sample fonts pass clean is run by CI's install stage, on the
// installed tool.)
#include <gtest/gtest.h>
#include <morlune/version.h>

#include <string>
#include <tuple>
#include <vector>

#include "tools/morlune-check/check_run.h"
#include "tests/support/font_builder.h"
#include "tests/support/in_process.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

class CheckRunTest : public ::testing::Test {
 protected:
  ProcessResult Check(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), "morlune-check");
    auto run = [](int argc, const char* const* argv, const ToolStreams& streams) {
      return RunMorluneCheck(argc, argv, streams);  // with the drawing's own bounds
    };
    return RunInProcess(run, args, input);
  }
  std::string Put(const std::string& name, const std::string& bytes) {
    WriteFileBytes(top_ + "/" + name, bytes);
    return top_ + "/" + name;
  }

  const std::string top_ = MakeTempDir();
};

// Height 6, depth 2; A calls a shape the font lacks (FAIL), B's name holds a
// comma (WARN).
std::string Faulty() {
  return BuildFont(FontVariant::kShapes11,
                   {Shape(0, "t", {6, 2, 0, 0}), Shape(0x41, "", {7, 0x43, 0x40, 0}), Shape(0x42, "b,c", {0x40, 0})});
}
std::string WarnOnly() {
  return BuildFont(FontVariant::kShapes11, {Shape(0, "t", {6, 2, 0, 0}), Shape(0x42, "b,c", {0x40, 0})});
}

TEST_F(CheckRunTest, LinesSummaryAndStatuses) {
  std::string faulty = Put("faulty.kqx", Faulty());
  std::string warnOnly = Put("warn.kqx", WarnOnly());
  const std::string findings = faulty + ": 0041: FAIL missing-subshape: a subshape names 0043, which no record has; it is not drawn\n" +
                               faulty + ": 0042: WARN name-comma: the name holds a comma: readers that end a name at a comma take less of it\n";
  ProcessResult run = Check({faulty});
  EXPECT_EQ(std::tie(run.status, run.out, run.err),
            std::make_tuple(1, findings + "1 font checked: 1 FAIL, 1 WARN, 0 INFO\n", ""));
  struct Row {
    std::vector<std::string> args;
    int status;
  };
  const Row rows[] = {
      {{warnOnly}, 0},
      {{"--fail-on", "WARN", warnOnly}, 1},
      {{"--fail-on=warn", warnOnly}, 1},
      {{"--fail-on", "INFO", warnOnly}, 1},
      {{"--fail-on", "FAIL", faulty, warnOnly}, 1},
  };
  for (const Row& row : rows) EXPECT_EQ(Check(row.args).status, row.status) << row.args[0];
  run = Check({}, Faulty());
  EXPECT_EQ(run.out.substr(0, 17), "<stdin>: 0041: FA");
  run = Check({"-", warnOnly}, Faulty());
  EXPECT_EQ(run.out.substr(run.out.size() - 40), "2 fonts checked: 1 FAIL, 2 WARN, 0 INFO\n");
}

TEST_F(CheckRunTest, CommandLineErrors) {
  const std::string font = Put("a.kqx", WarnOnly());
  struct Row {
    std::vector<std::string> args;
    const char* error;
  };
  const Row rows[] = {
      {{"--bogus", font}, "unknown option '--bogus'"},
      {{"--fail-on", "ERROR", font}, "--fail-on takes FAIL, WARN or INFO, not 'ERROR'"},
      {{"--encoding", "CP1252", font}, "--encoding is for --coverage"},
      {{"--coverage", "U+0500-0400", font},
       "--coverage: 'U+0500-0400' is not a range of code points U+XXXX-YYYY (first at most last, at most U+10FFFF)"},
      {{"--coverage", "no-such-page", font},
       "--coverage: 'no-such-page' is neither a range U+XXXX-YYYY, nor a readable file, nor a code page the system knows"},
      {{"--coverage", "U+0041", "--encoding", "no-such-page", font}, "the system knows no code page 'no-such-page'"},
      {{"-", "-"}, "standard input ('-') named twice"},
  };
  for (const Row& row : rows) {
    ProcessResult run = Check(row.args);
    EXPECT_EQ(std::tie(run.status, run.out, run.err),
              std::make_tuple(2, "", "morlune-check: " + std::string(row.error) +
                                         "\nTry 'morlune-check --help' for more information.\n"))
        << row.args[0];
  }
  EXPECT_EQ(Check({"--help"}).status, 0);
  EXPECT_EQ(Check({"--version"}).out, "morlune-check " MORLUNE_VERSION_STRING "\n");
}

// An input that cannot be read is told on standard error, counted in the
// summary, and makes the status 2 whatever else was found.
TEST_F(CheckRunTest, UnreadableInputs) {
  std::string faulty = Put("faulty.kqx", Faulty());
  std::string missing = top_ + "/missing.kqx";
  ProcessResult run = Check({missing, faulty, top_});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "morlune-check: " + missing + ": cannot open: No such file or directory\n" +
                         "morlune-check: " + top_ + ": cannot open: Is a directory\n");
  EXPECT_EQ(run.out.substr(run.out.find("3 fonts")), "3 fonts checked: 1 FAIL, 1 WARN, 0 INFO; 2 could not be read\n");
}

// -o: the file appears only when whole; a folder that does not exist is
// status 3 and nothing is written; an input is never the output.
TEST_F(CheckRunTest, OutputFile) {
  std::string font = Put("a.kqx", WarnOnly());
  ProcessResult run = Check({"-o", top_ + "/report.json", "--json", font});
  EXPECT_EQ(std::tie(run.status, run.out, run.err), std::make_tuple(0, "", ""));
  EXPECT_EQ(ReadFileBytes(top_ + "/report.json").substr(0, 25), "{\"schema\": 1, \"fonts\": [\n");
  run = Check({"-o", top_ + "/no/such/folder/r.txt", font});
  EXPECT_EQ(std::tie(run.status, run.out, run.err),
            std::make_tuple(3, "", "morlune-check: " + top_ +
                                       "/no/such/folder/r.txt: cannot create the temporary file beside it: No such "
                                       "file or directory\n"));
  // A report over a font it checks, by another spelling: refused, the font kept.
  const std::string before = ReadFileBytes(font);
  run = Check({"-o", top_ + "/./a.kqx", top_ + "/missing.kqx", font});
  EXPECT_EQ(std::tie(run.status, run.out, run.err),
            std::make_tuple(2, "", "morlune-check: " + top_ + "/./a.kqx: refused as the output: it is an input file\n"));
  EXPECT_EQ(ReadFileBytes(font), before);
}

// One clean font: the JSON document, worked out from its schema.
TEST_F(CheckRunTest, JsonOfACleanFont) {
  std::string font =
      BuildFont(FontVariant::kUnifont10, {Shape(0, "t", {6, 2, 0, 0, 0, 0}), Shape(0x41, "", {0x40, 0})});
  ProcessResult run = Check({"--json", "--fail-on", "INFO"}, font);
  EXPECT_EQ(std::tie(run.status, run.out),
            std::make_tuple(0, std::string("{\"schema\": 1, \"fonts\": [\n"
                                           "  {\"font\": \"<stdin>\", \"variant\": \"unifont\", \"source\": false, "
                                           "\"findings\": [], \"summary\": {\"FAIL\": 0, \"WARN\": 0, \"INFO\": 0}}\n"
                                           "], \"summary\": {\"fonts\": 1, \"unreadable\": 0, \"FAIL\": 0, \"WARN\": 0, "
                                           "\"INFO\": 0, \"failOn\": \"INFO\"}}\n")));
}

// Coverage through each variant's own way to its codes.
TEST_F(CheckRunTest, Coverage) {
  std::string sample = MORLUNE_SOURCE_DIR "/examples/strokes_shapes11.kqx";
  std::string text = Put("needs.txt", "0127 ON\n");
  ProcessResult run = Check({"--coverage", text, sample});
  // The sample holds the space, 0, 1, 2, 7, A, E, L, O and T.
  EXPECT_EQ(run.out, sample + ": WARN coverage-missing: the font lacks 1 of the 7 characters of " + text + ": U+004E\n" +
                         "1 font checked: 0 FAIL, 1 WARN, 0 INFO\n");
  run = Check({"--coverage", "U+0030-0032", sample});
  EXPECT_EQ(std::tie(run.status, run.out), std::make_tuple(0, std::string("1 font checked: 0 FAIL, 0 WARN, 0 INFO\n")));
}

}  // namespace
}  // namespace morlune::testing
