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

class WindowsDraw : public WineTest {
 protected:
  WindowsDraw() : WineTest(MORLUNE_WINDOWS_DRAW_EXE) {
    std::filesystem::copy_file(MORLUNE_SOURCE_DIR "/examples/strokes_shapes11.kqx", work_ + "/sample.kqx");
    WriteFileBytes(work_ + "/big.kqx", GoldenBigfontFont());
    env_ = {{"LC_ALL", "C.UTF-8"}};  // the arguments reach the program as UTF-8 under a UTF-8 locale
  }

  std::string Golden(const char* name) { return ReadFileBytes(MORLUNE_SOURCE_DIR "/tests/src/drawing/golden/" + std::string(name)); }
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
  EXPECT_EQ(ReadFileBytes(work_ + "/sheet.svg"), sheet);
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
