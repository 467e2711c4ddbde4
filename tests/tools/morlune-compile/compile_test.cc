// Sources as people write them, with their fonts worked out by hand; bad sources, each with the place of its
// one error; and whole runs of morlune-compile: statuses, the error lines, and output files that appear only
// whole.
#include <gtest/gtest.h>
#include <morlune/version.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "tools/morlune-compile/run_compile.h"
#include "compiler/compile_source.h"
#include "tests/support/font_builder.h"
#include "tests/support/in_process.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

struct GoodSource {
  const char* what;
  std::string text;
  CompileOptions options;
  std::string font;  // built from the records worked out by hand
};

std::string Bigfont(std::vector<FontRecord> records, std::vector<std::pair<std::uint16_t, std::uint16_t>> ranges) {
  FontLayout layout(FontVariant::kBigfont10, std::move(records));
  layout.escapeRanges = std::move(ranges);
  return BuildFont(layout);
}

// A shapes 1.1 font of the font-header record "f" (1,2,3,0) and shape 0041 of the name given, holding a 0.
std::string HeaderAndA(const std::string& name) {
  return LowestCode0(BuildFont(FontVariant::kShapes11, {Shape(0, "f", {1, 2, 3, 0}), Shape(0x41, name, {0})}));
}

TEST(Compile, SourcesAsPeopleWriteThem) {
  const std::string header = "*0,4,f\n1,2,3,0\n";
  const GoodSource cases[] = {
      {"comments, blank lines, CR LF, blanks and tabs; a ';' in a name is part of it",
       "; a font by hand\r\n\r\n*0,4,Hand ; not a comment\r\n  21 , -5 ,2,0 ; values\r\n*00041,3,A\r\n2,\t0FF , 0\r\n",
       {},
       LowestCode0(BuildFont(FontVariant::kShapes11,
                             {Shape(0, "Hand ; not a comment", {21, -5, 2, 0}), Shape(0x41, "A", {2, 0xFF, 0})}))},
      {"a decimal code, lower-case and negative hexadecimal, parentheses anywhere",
       "*65,6,a\n(2),8,((-01),(1)),0fa,(0)\n",
       {},
       BuildFont(FontVariant::kShapes11, {Shape(0x41, "a", {2, 8, -1, 1, 0xFA, 0})})},
      {"sign-magnitude places: negative hexadecimal and decimal, -0",
       "*00042,13,arc\n10,(3,-012),10,(1,-18),11,(0,0,0,0,-0),0\n",
       {},
       BuildFont(FontVariant::kShapes11, {Shape(0x42, "arc", {10, 3, 0x92, 10, 1, 0x92, 11, 0, 0, 0, 0, 0x80, 0})})},
      {"code 7 short and long; lists closed by (0,0); a pair with one 0 opens an entry of code 13",
       "*00043,25,\n7,041,7,(0,0102,-1,2,-3,4),9,(1,2),(0,0),13,(1,2,3),(0,5,7),(0,0),0\n",
       {},
       BuildFont(FontVariant::kShapes11, {Shape(0x43, "", {7, 0x41, 7, 0, 0x01, 0x02, -1, 2, -3, 4, 9, 1, 2, 0, 0, 13,
                                                           1, 2, 3, 0, 5, 7, 0, 0, 0})})},
      {"font-header values from -128 to 255; a record with no items; the last item with no comma",
       "*0,4,v\n-128,255,0ff,0\n*00041,0,empty\n*00042,1,z\n0",
       {},
       LowestCode0(BuildFont(FontVariant::kShapes11,
                             {Shape(0, "v", {-128, 255, 255, 0}), Shape(0x41, "empty", {}), Shape(0x42, "z", {0})}))},
      {"a unifont: code 7 takes a 16-bit code",
       "*UNIFONT,6,U\n1,2,3,4,5,0\n*08364,4,\n7,0190,0\n",
       {},
       BuildFont(FontVariant::kUnifont10, {Shape(0, "U", {1, 2, 3, 4, 5, 0}), Shape(0x8364, "", {7, 0x01, 0x90, 0})})},
      {"a bigfont: records in code order, a header continued on the next line, a header after a comma",
       "*BIGFONT 4,1,081,09f\n*0,5,B\n8,0,0,8,0\n*08142\n,2,two\n1,0\n*08141,2,one\n2,0,*00041,2,\n1,0\n",
       {},
       Bigfont({Shape(0, "B", {8, 0, 0, 8, 0}), Shape(0x41, "", {1, 0}), Shape(0x8141, "one", {2, 0}),
                Shape(0x8142, "two", {1, 0})},
               {{0x81, 0x9F}})},
      // Blanks around a header's commas are read as anywhere else; a name is the rest of its line.
      {"blanks and tabs around both commas of *UNIFONT", "*UNIFONT\t , 6 ,u\n1,2,3,4,5,0\n", {},
       BuildFont(FontVariant::kUnifont10, {Shape(0, "u", {1, 2, 3, 4, 5, 0})})},
      {"around the commas of *CODE,COUNT,NAME", "*0 , 4 ,f\n1,2,3,0\n*00041 ,1 ,a\n0\n", {}, HeaderAndA("a")},
      {"around the commas of a *BIGFONT line", "*BIGFONT 1 , 1 , 081 , 09F\n*0 ,4,b\n1,2,3,0\n", {},
       Bigfont({Shape(0, "b", {1, 2, 3, 0})}, {{0x81, 0x9F}})},
      {"before the comma of a header continued on the next line", header + "*00041\n\t , 1 ,a\n0\n", {},
       HeaderAndA("a")},
      {"but not after the name's comma", header + "*00041,1, a;b ,\n0\n", {}, HeaderAndA(" a;b ,")},
      {"a carriage return inside a name is kept; one before a line feed ends the line",
       "*0,4,f\r\n1,2,3,0\r\n*00041,1,a\rb\r\n0\r\n", {}, HeaderAndA("a\rb")},
      {"--drop-default-names: the table's name, unspecified and an escape name go; others stay",
       "*0,4,unspecified\n0,0,0,0\n*00041,1,uca\n0\n*00042,1,spam\n0\n*04142,1,esc:AB\n0\n",
       {std::nullopt, true},
       LowestCode0(BuildFont(FontVariant::kShapes11, {Shape(0, "", {0, 0, 0, 0}), Shape(0x41, "", {0}),
                                                      Shape(0x42, "spam", {0}), Shape(0x4142, "", {0})}))},
  };
  for (const GoodSource& source : cases) {
    Diagnostics diagnostics;
    std::optional<std::string> font = CompileSource(source.text, source.options, diagnostics);
    // Fonts without a font-header record are warned of (tested with the warnings about the whole text).
    std::string problems;
    for (const Diagnostic& d : diagnostics.Kept()) {
      if (d.isError || d.message.find("no font-header record") == std::string::npos) problems += d.message + "\n";
    }
    EXPECT_EQ(problems, "") << source.what;
    EXPECT_EQ(font.value_or("(nothing)"), source.font) << source.what;
  }
}

struct BadSource {
  const char* fault;
  std::string text;
  long long line, column;
  CompileOptions options = {};
};

std::string Repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

TEST(Compile, BadSourcesGetOneErrorWhereTheFaultStarts) {
  const BadSource cases[] = {
      {"a number out of range for a signed place", "*00041,4,a\n8,(1,128),0\n", 2, 6},
      {"a bad hexadecimal digit", "*00041,2,a\n01G,0\n", 2, 1},
      {"a character that is no part of the text", "*00041,2,a\n1,+0\n", 2, 3},
      {"a comma with no number", "*00041,2,a\n1,,0\n", 2, 3},
      {"a ')' with no '('", "*00041,2,a\n1),0\n", 2, 2},
      {"a '(' never closed in its record", "*00041,2,a\n(1,0\n*00042,1,b\n0\n", 2, 1},
      {"a list cut short by the end of the text", "*00041,4,a\n2,9,(1,2)", 2, 3},
      {"a long form cut short by the end of the text", "*00041,5,a\n7,0,0102,1", 2, 1},
      {"an unknown header form", "*00041,1,a\n0\n*SHAPE,1,b\n0\n", 3, 1},
      {"a lower-case word", "*unifont,6,u\n1,2,3,4,5,0\n", 1, 1},
      {"items before the first header", ";; banner\n1,2\n*00041,1,a\n0\n", 2, 1},
      {"a record too long for 16 bits", "*00041,0,a\n" + Repeated("1,", 32768), 1, 1, {std::nullopt, false, true}},
      {"a *BIGFONT line not followed by the font-header record", "*BIGFONT 1,0\n*00041,1,a\n0\n", 1, 1},
      {"a font-header record with too few values", "*0,3,h\n1,2,0\n", 1, 1},
      {"a last font-header value other than 0", "*0,4,h\n1,2,3,4\n", 2, 7},
      {"a *UNIFONT header and a *BIGFONT line", "*UNIFONT,6,u\n1,2,3,4,5,0\n*BIGFONT 2,0\n*0,6,x\n1,2,3,4,5,0\n", 3, 1},
      {"a name ending with a carriage return", "*00041,1,a\r\r\n0\n", 1, 11},
  };
  for (const BadSource& source : cases) {
    Diagnostics diagnostics;
    EXPECT_FALSE(CompileSource(source.text, source.options, diagnostics)) << source.fault;
    std::string errors;
    for (const Diagnostic& d : diagnostics.Kept()) {
      if (d.isError) errors += std::to_string(d.line) + ":" + std::to_string(d.column) + " " + d.message + "\n";
    }
    EXPECT_EQ(errors.substr(0, errors.find(' ')), std::to_string(source.line) + ":" + std::to_string(source.column))
        << source.fault << "\n" << errors;
    EXPECT_EQ(diagnostics.ErrorCount(), 1u) << source.fault << "\n" << errors;
  }
}

// A run in-process; the source on standard input, output and errors captured.
ProcessResult Compile(std::vector<std::string> args, const std::string& source, int outputFd = -1) {
  args.insert(args.begin(), "morlune-compile");
  return RunInProcess(RunMorluneCompile, args, source, outputFd);
}

// A source that compiles with no problem at all, and its font.
const std::string kGood = "*0,4,f\n1,2,3,0\n*00041,1,a\n0\n";

TEST(CompileRun, StatusesAndMessages) {
  const std::string& good = kGood;
  const std::string goodFont =
      LowestCode0(BuildFont(FontVariant::kShapes11, {Shape(0, "f", {1, 2, 3, 0}), Shape(0x41, "a", {0})}));
  struct Case {
    const char* what;
    std::vector<std::string> args;
    std::string source;
    int status;
    std::string out, err;
  } cases[] = {
      {"written", {}, good, 0, goodFont, ""},
      {"written with a warning", {"--take-counted"}, "*0,4,f\n1,2,3,0\n*00041,02,a\n0\n", 0, goodFont,
       "<stdin>:3:8: warning: the count is 02 (2) but the numbers make 1 byte; the record takes 1\n"},
      {"errors, nothing written", {"-"}, "*00041,1,a\n1A\n*00042,1,b\n0 0\n", 1, "",
       "<stdin>:2:1: error: '1A' is not a decimal number\n<stdin>:4:3: error: two numbers with no comma between them\n"},
      {"a problem found at the end shown before a later one", {},
       "*BIGFONT 4,0\n*0,4,b\n0,0,0,0\n*00041,1,a\n0\n*65,1,b\n0\n*00042,1,c\n300\n", 1, "",
       "<stdin>:6:1: error: a second record with code 65 (the first is on line 4); a bigfont holds one per code\n"
       "<stdin>:9:1: error: '300' is out of range for a code or vector byte (0 to 255)\n"},
      {"an unknown option", {"--bogus"}, good, 2, "",
       "morlune-compile: unknown option '--bogus'\nTry 'morlune-compile --help' for more information.\n"},
      {"an unknown variant", {"--variant=shapes12"}, good, 2, "",
       "morlune-compile: unknown variant 'shapes12' (shapes10, shapes11, bigfont or unifont)\n"
       "Try 'morlune-compile --help' for more information.\n"},
      {"two sources", {"a", "b"}, good, 2, "",
       "morlune-compile: only one SOURCE may be given\nTry 'morlune-compile --help' for more information.\n"},
      {"a source that cannot be read", {"/nonexistent/source.kqs"}, good, 2, "",
       "morlune-compile: /nonexistent/source.kqs: cannot open: No such file or directory\n"},
      {"a folder as the source", {"/"}, good, 2, "", "morlune-compile: /: cannot open: Is a directory\n"},
      {"the version", {"--version"}, good, 0, "morlune-compile " MORLUNE_VERSION_STRING "\n", ""},
  };
  for (const Case& c : cases) {
    ProcessResult run = Compile(c.args, c.source);
    EXPECT_EQ(run.status, c.status) << c.what;
    EXPECT_EQ(run.out, c.out) << c.what;
    EXPECT_EQ(run.err, c.err) << c.what;
  }
}

// Problems past the limit: one hundred shown, the rest counted in one closing line (morlune-draw's through the
// same messages, with its own warnings, in its whole runs).
TEST(CompileRun, ProblemsPastAHundredAreCounted) {
  for (const auto& [problems, closing] :
       {std::pair{150, "50 more problems not shown."}, std::pair{101, "1 more problem not shown."}}) {
    ProcessResult run = Compile({}, "*00041,1,a\n" + Repeated("300,\n", problems));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
              "<stdin>:2:1: error: '300' is out of range for a code or vector byte (0 to 255)");
    EXPECT_TRUE(run.err.ends_with("\nmorlune-compile: " + std::string(closing) + "\n")) << problems;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 101);
  }
}

TEST(CompileRun, AFullDeviceEndsWithStatus3) {
  int fd = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(fd, 0);
  ProcessResult run = Compile({}, kGood, fd);
  ::close(fd);
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, "morlune-compile: <stdout>: cannot write: No space left on device\n");
}

// With -o the file appears only when the font is whole: an error in the text leaves an existing file as it
// was and a new one unmade, with nothing else left in the folder.
TEST(CompileRun, OutputFileOnlyWhenWhole) {
  namespace fs = std::filesystem;
  const std::string dir = MakeTempDir();
  const std::string existing = dir + "/old.kqx", fresh = dir + "/new.kqx";
  WriteFileBytes(existing, "old bytes");
  const std::string bad = "*00041,1,a\n300\n";
  EXPECT_EQ(Compile({"-o", existing}, bad).status, 1);
  EXPECT_EQ(Compile({"-o" + fresh}, bad).status, 1);
  EXPECT_EQ(ReadFileBytes(existing), "old bytes");
  EXPECT_FALSE(FileExists(fresh));

  // The source by its path this time (a file is viewed in memory, an empty one read).
  const std::string source = dir + "/font.kqs", empty = dir + "/empty.kqs";
  WriteFileBytes(source, "*00041,1,a\n0\n");
  WriteFileBytes(empty, "");
  ProcessResult written = Compile({"--output", existing, source}, "");
  EXPECT_EQ(written.status, 0);
  EXPECT_EQ(written.out, "");
  EXPECT_EQ(ReadFileBytes(existing), BuildFont(FontVariant::kShapes11, {Shape(0x41, "a", {0})}));
  ProcessResult nothing = Compile({empty}, "");
  EXPECT_EQ(nothing.status, 0);
  EXPECT_EQ(nothing.out, BuildFont(FontVariant::kShapes11, {}));
  // -o naming the source by another spelling: refused, the source kept.
  ProcessResult onto = Compile({"-o", dir + "/./font.kqs", source}, "");
  EXPECT_EQ(std::tie(onto.status, onto.err),
            std::make_tuple(2, "morlune-compile: " + dir + "/./font.kqs: refused as the output: it is the input file\n"));
  EXPECT_EQ(ReadFileBytes(source), "*00041,1,a\n0\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
}

}  // namespace
}  // namespace morlune::testing
