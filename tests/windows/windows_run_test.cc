// The Windows build under Wine: the golden fonts give the same source text with CR LF line ends, and the
// texts come from KelvoRes.dll beside morlune.exe, or from the built-in table without it.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <tuple>

#include "tests/e2e/golden_cases.h"
#include "tests/support/process_run.h"
#include "tests/windows/wine_run.h"

namespace morlune::testing {

void PrintTo(const GoldenCase& golden, std::ostream* os) { *os << golden.name; }

namespace {

class WindowsRun : public WineTest {
 protected:
  WindowsRun() : WineTest(MORLUNE_WINDOWS_EXE) {}
};

class WindowsGolden : public WindowsRun, public ::testing::WithParamInterface<GoldenCase> {};

// The font by its path, the text on standard output; then the font on standard input (0x1A and
// carriage returns included) and the text into an -o file, a text stream as well.
TEST_P(WindowsGolden, SameTextWithCrLfLineEnds) {
  const GoldenCase& golden = GetParam();
  const std::string font = work_ + "/font.kqx", out = work_ + "/out.kqs";
  WriteFileBytes(font, golden.buildFont());
  const std::string text = WithCrLf(ReadFileBytes(std::string(MORLUNE_SOURCE_DIR "/") + golden.expectedFile));
  const std::string err = WithCrLf(golden.expectedErrors);
  std::vector<std::string> args = golden.options;
  args.push_back("font.kqx");
  ProcessResult got = Run(args);
  EXPECT_EQ(std::tie(got.out, got.err, got.status), std::tie(text, err, golden.status));
  args.back() = "-o";
  args.push_back("out.kqs");
  got = Run(args, StdinKind::kFile, font);
  EXPECT_EQ(std::tie(got.out, got.err, got.status), std::make_tuple("", err, golden.status));
  EXPECT_EQ(ReadFileBytes(out), text);
}

INSTANTIATE_TEST_SUITE_P(Golden, WindowsGolden, ::testing::ValuesIn(GoldenCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The French sample's texts, one byte per character (0xE9 for e acute), else the built-in ones.
TEST_F(WindowsRun, TextsFromTheLibraryBesideTheProgramOrBuiltIn) {
  const std::string synopsis[] = {"Usage: morlune [-?de] [-o output] [input]\r\n",
                                  "Usage : morlune [-?de] [-o sortie] [entr\xE9" "e]\r\n"};
  const std::string noInput[] = {"morlune: Cannot open input file.\r\n",
                                 "morlune: Impossible d'ouvrir le fichier d'entr\xE9" "e.\r\n"};
  for (int beside : {0, 1}) {
    if (beside) std::filesystem::copy_file(MORLUNE_WINDOWS_MESSAGES, bin_ + "/KelvoRes.dll");
    ProcessResult got = Run({"-x"});
    EXPECT_EQ(std::tie(got.out, got.err, got.status), std::make_tuple("", synopsis[beside], 1));
    got = Run({"missing.kqx"});
    EXPECT_EQ(std::tie(got.out, got.err, got.status), std::make_tuple("", noInput[beside], 1));
  }
}

// The file's identity decides, by any name of it; and a device that refuses the text ends the run with status 3.
TEST_F(WindowsRun, OutputOntoTheInputRefusedAndAFullDevice) {
  const std::string font = work_ + "/font.kqx", bytes = "Vormald-86 unifont 1.0\r\n\x1A" + std::string(2, '\0');
  WriteFileBytes(font, bytes);
  std::filesystem::create_hard_link(font, work_ + "/link.kqx");
  std::filesystem::create_directory(work_ + "/sub");
  const std::tuple<std::string, std::string, int> cases[] = {  // the -o path, standard error, status
      {"font.kqx", "morlune: Cannot open output file.\r\n", 1},
      {"FONT.KQX", "morlune: Cannot open output file.\r\n", 1},
      {"sub\\..\\font.kqx", "morlune: Cannot open output file.\r\n", 1},
      {"link.kqx", "morlune: Cannot open output file.\r\n", 1},
      {"Z:\\dev\\full", "morlune: Write error: No space left on device.\r\n", 3},
  };
  for (const auto& [output, err, status] : cases) {
    SCOPED_TRACE(output);
    if (output.ends_with("full") && !FileExists("/dev/full")) continue;
    ProcessResult got = Run({"-o", output, "font.kqx"});
    EXPECT_EQ(std::tie(got.out, got.err, got.status), std::make_tuple("", err, status));
    EXPECT_EQ(ReadFileBytes(font), bytes);
  }
}

}  // namespace
}  // namespace morlune::testing
