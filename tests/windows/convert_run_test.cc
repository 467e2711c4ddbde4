// morlune-convert.exe under Wine: every export and import gives the bytes
// that this machine's build gives (files are written as bytes, lines ended
// by a line feed, on every system), a bigfont's codes go through the
// Windows code page functions, and messages end in CR LF.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/process_run.h"
#include "tests/windows/wine_run.h"

namespace morlune::testing {
namespace {

// The runs of this machine's build are made in here/.
class WindowsConvert : public WineTest {
 protected:
  WindowsConvert() : WineTest(MORLUNE_WINDOWS_CONVERT_EXE) { std::filesystem::create_directories(here_); }

  ProcessResult Here(std::vector<std::string> args) {
    return RunProcess({args, StdinKind::kNone, "", "", {}, here_, MORLUNE_CONVERT_BINARY});
  }

  const std::string here_ = top_ + "/here";
};

TEST_F(WindowsConvert, ExportsAndImportsGiveTheSameBytesAsHere) {
  const std::string examples = MORLUNE_SOURCE_DIR "/examples/";
  const struct {
    std::string input;
    std::string output;
    std::vector<std::string> windowsOptions, hereOptions;
  } rows[] = {
      {"strokes_shapes11.kqx", "out.svg", {}, {}},
      {"strokes_shapes11.kqx", "out.jhf", {}, {}},
      {"strokes_unifont.kqx", "out.lff", {}, {}},
      // The same code page by its Windows number and by iconv's name.
      {"strokes_bigfont.kqx", "out.svg", {"--encoding", "932"}, {"--encoding", "CP932"}},
  };
  // Each side in a folder of its own: the file names are the same, since an
  // SVG font is named by its file.
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input + " " + row.output);
    for (const std::string& side : {work_, here_}) {
      std::filesystem::copy_file(examples + row.input, side + "/" + row.input,
                                 std::filesystem::copy_options::overwrite_existing);
    }
    std::vector<std::string> args = row.windowsOptions;
    args.insert(args.end(), {row.input, row.output});
    ProcessResult windows = Run(args);
    ASSERT_EQ(windows.status, 0) << windows.err;
    args = row.hereOptions;
    args.insert(args.end(), {row.input, row.output});
    ASSERT_EQ(Here(args).status, 0);
    EXPECT_EQ(ReadFileBytes(work_ + "/" + row.output), ReadFileBytes(here_ + "/" + row.output));
    // And back in: the same compiled font.
    ASSERT_EQ(Run({row.output, "back.kqx"}).status, 0);
    ASSERT_EQ(Here({row.output, "back.kqx"}).status, 0);
    EXPECT_EQ(ReadFileBytes(work_ + "/back.kqx"), ReadFileBytes(here_ + "/back.kqx"));
  }
}

TEST_F(WindowsConvert, MessagesEndInCrLfAndStatusesAreTheSame) {
  ProcessResult missing = Run({"none.kqx", "out.jhf"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err.substr(0, 26), "morlune-convert: none.kqx:");
  EXPECT_EQ(missing.err.substr(missing.err.size() - 2), "\r\n");
  EXPECT_FALSE(FileExists(work_ + "/out.jhf"));
}

}  // namespace
}  // namespace morlune::testing
