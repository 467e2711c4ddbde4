// morlune-draw.exe under Wine: the same listing as everywhere (line feeds
// included), a line of text through code page 932 by the system's own
// converter, an -o file, and the messages of a bad run.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "tests/e2e/golden_cases.h"
#include "tests/support/process_run.h"
#include "tests/windows/wine_run.h"

namespace morlune::testing {
namespace {

class WindowsDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(MORLUNE_WINDOWS_DRAW_EXE, top_ + "/morlune-draw.exe");
    std::filesystem::copy_file(MORLUNE_SOURCE_DIR "/examples/strokes_shapes11.kqx", top_ + "/sample.kqx");
    WriteFileBytes(top_ + "/big.kqx", GoldenBigfontFont());
  }
  void TearDown() override { std::filesystem::remove_all(top_); }

  // The arguments reach the program as UTF-8 under a UTF-8 locale.
  ProcessResult Run(std::vector<std::string> args) {
    return RunUnderWine(top_ + "/morlune-draw.exe", std::move(args), top_, StdinKind::kNone, "", {{"LC_ALL", "C.UTF-8"}});
  }

  std::string Golden(const char* name) { return ReadFileBytes(MORLUNE_SOURCE_DIR "/tests/drawing/golden/" + std::string(name)); }

  const std::string top_ = MakeTempDir();
};

TEST_F(WindowsDraw, ListingTextAndOutputFile) {
  ProcessResult run = Run({"--list", "sample.kqx"});
  EXPECT_EQ(std::tie(run.out, run.err, run.status), std::make_tuple(Golden("strokes.list"), "", 0));
  // Shift-JIS: あ is 82A0, 亜 889F.
  run = Run({"--list", "--encoding", "CP932", "--text", "\xE3\x81\x82\xE4\xBA\x9C" "A", "big.kqx"});
  std::string bigfont = Golden("bigfont.list");
  std::string expected = bigfont.substr(bigfont.find("82A0\t"), bigfont.find("8940\t") - bigfont.find("82A0\t")) +
                         bigfont.substr(bigfont.find("0041\t"), bigfont.find("3021\t") - bigfont.find("0041\t"));
  EXPECT_EQ(std::tie(run.out, run.err, run.status), std::make_tuple(expected, "", 0));
  std::string sheet = Run({"sample.kqx"}).out;
  run = Run({"-o", "sheet.svg", "sample.kqx"});
  EXPECT_EQ(std::tie(run.out, run.err, run.status), std::make_tuple("", "", 0));
  EXPECT_EQ(ReadFileBytes(top_ + "/sheet.svg"), sheet);
  EXPECT_EQ(sheet.substr(0, 5), "<?xml");
}

// Standard error is a text stream: carriage return and line feed.
TEST_F(WindowsDraw, MessagesOfBadRuns) {
  ProcessResult run = Run({"missing.kqx"});
  EXPECT_EQ(std::tie(run.out, run.err, run.status),
            std::make_tuple("", "morlune-draw: missing.kqx: cannot open: No such file or directory\r\n", 1));
  run = Run({"--text", "A", "--encoding", "no-such-page", "big.kqx"});
  EXPECT_EQ(std::tie(run.err, run.status),
            std::make_tuple("morlune-draw: the system knows no code page 'no-such-page'\r\n"
                            "Try 'morlune-draw --help' for more information.\r\n", 2));
}

}  // namespace
}  // namespace morlune::testing
