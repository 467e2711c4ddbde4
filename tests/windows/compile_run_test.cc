// morlune-compile.exe under Wine: the font goes to standard output as bytes (no line end translated), sources
// with CR LF line ends compile as with LF, and the error lines end in CR LF.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <tuple>

#include "compiler/compile_source.h"
#include "tests/support/process_run.h"
#include "tests/windows/wine_run.h"

namespace morlune::testing {
namespace {

class WindowsCompile : public WineTest {
 protected:
  WindowsCompile() : WineTest(MORLUNE_WINDOWS_COMPILE_EXE) {}
};

// Each sample source, by path to standard output and from standard input to an -o file, with its own line ends
// and with CR LF: the same font as the compiler gives here.
TEST_F(WindowsCompile, SampleSourcesGiveTheSameFontAsHere) {
  for (const char* stem : {"strokes_shapes11", "strokes_bigfont", "strokes_unifont"}) {
    SCOPED_TRACE(stem);
    const std::string text = ReadFileBytes(std::string(MORLUNE_SOURCE_DIR "/examples/") + stem + ".kqs");
    Diagnostics diagnostics;
    const std::string font = CompileSource(text, {}, diagnostics).value_or("");
    ASSERT_NE(font, "");
    for (const std::string& source : {text, WithCrLf(text)}) {
      WriteFileBytes(work_ + "/font.kqs", source);
      ProcessResult got = Run({"font.kqs"});
      EXPECT_EQ(std::tie(got.out, got.err, got.status), std::make_tuple(font, "", 0));
      got = Run({"-o", "out.kqx"}, StdinKind::kFile, work_ + "/font.kqs");
      EXPECT_EQ(std::tie(got.out, got.err, got.status), std::make_tuple("", "", 0));
      EXPECT_EQ(ReadFileBytes(work_ + "/out.kqx"), font);
    }
  }
}

// An error in the text: its line on standard error with CR LF, status 1, and the -o file left as it was.
TEST_F(WindowsCompile, ErrorsLeaveTheOutputAlone) {
  WriteFileBytes(work_ + "/bad.kqs", "*00041,1,a\r\n300\r\n");
  WriteFileBytes(work_ + "/out.kqx", "old");
  ProcessResult got = Run({"-o", "out.kqx", "bad.kqs"});
  EXPECT_EQ(std::tie(got.out, got.err, got.status),
            std::make_tuple("", "bad.kqs:2:1: error: '300' is out of range for a code or vector byte (0 to 255)\r\n", 1));
  EXPECT_EQ(ReadFileBytes(work_ + "/out.kqx"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work_), std::filesystem::directory_iterator()), 2);
}

// -o naming the source by any spelling (a hard link included) is refused by the file's volume and index, and
// the source is left as it was.
TEST_F(WindowsCompile, OutputNamingTheSourceIsRefused) {
  const std::string source = "*00041,1,a\r\n0\r\n";
  WriteFileBytes(work_ + "/font.kqs", source);
  std::filesystem::create_directory(work_ + "/sub");
  std::filesystem::create_hard_link(work_ + "/font.kqs", work_ + "/link.kqs");
  for (const std::string output : {"font.kqs", ".\\font.kqs", "sub\\..\\font.kqs", "link.kqs"}) {
    ProcessResult got = Run({"-o", output, "font.kqs"});
    EXPECT_EQ(std::tie(got.out, got.err, got.status),
              std::make_tuple("", "morlune-compile: " + output + ": refused as the output: it is the input file\r\n",
                              2));
    EXPECT_EQ(ReadFileBytes(work_ + "/font.kqs"), source);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work_), std::filesystem::directory_iterator()), 3);
}

}  // namespace
}  // namespace morlune::testing
