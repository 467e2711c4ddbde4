// morlune-check.exe under Wine: the coverage of a code page through the
// system's own converter. (Its streams and -o file are those of
// morlune-draw.exe, through the same tool output.)
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "tests/support/font_builder.h"
#include "tests/support/process_run.h"
#include "tests/windows/wine_run.h"

namespace morlune::testing {
namespace {

class WindowsCheck : public WineTest {
 protected:
  WindowsCheck() : WineTest(MORLUNE_WINDOWS_CHECK_EXE) {
    std::filesystem::copy_file(MORLUNE_SOURCE_DIR "/examples/strokes_shapes11.kqx", work_ + "/sample.kqx");
    // Height 6: A calls a shape the font lacks; 0x80 is the euro sign in
    // code page 1252.
    WriteFileBytes(work_ + "/faulty.kqx",
                   BuildFont(FontVariant::kShapes11, {Shape(0, "t", {6, 2, 0, 0}), Shape(0x41, "", {7, 0x43, 0x40, 0}),
                                                      Shape(0x80, "", {0x40, 0})}));
  }
};

// Code page 1252 holds 0x20-0x7E and 123 characters from 0x80 up; the
// sample has ten codes, each its own character there.
TEST_F(WindowsCheck, CoverageThroughTheCodePageFunctions) {
  ProcessResult run = Run({"--coverage", "U+20AC", "--encoding", "1252", "faulty.kqx"});
  EXPECT_EQ(std::tie(run.err, run.status), std::make_tuple("", 1));
  run = Run({"--fail-on", "WARN", "--coverage", "U+20AC", "--encoding", "CP1252", "faulty.kqx"});
  EXPECT_EQ(run.out.find("coverage-missing"), std::string::npos);
  run = Run({"--coverage", "CP1252", "--encoding", "CP1252", "sample.kqx"});
  EXPECT_NE(run.out.find("the font lacks 208 of the 218 characters of CP1252: U+0021-002F "), std::string::npos) << run.out;
  EXPECT_EQ(run.status, 0);
}

}  // namespace
}  // namespace morlune::testing
