// morlune-compile.exe under Wine: the font goes to standard output as bytes (no line end translated), and
// sources with CR LF line ends, by path or on standard input, compile as with LF.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace morlune::testing
