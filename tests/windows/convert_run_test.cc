// morlune-convert.exe under Wine: every export and import gives the bytes
// that this machine's build gives (files are written as bytes, lines ended
// by a line feed, on every system), and a bigfont's codes go through the
// Windows code page functions. (Its messages in CR LF are those of
// morlune-draw.exe, through the same tool messages.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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

TEST_F(WindowsConvert, AnLffPastOneMebibyteWaitsInAScratchFileAndComesOutTheSame) {
  // 4000 glyphs of 80 strokes: some 1.5 MB of text that waits for the
  // header in a scratch file beside the output, or in the user's temporary
  // folder for standard output.
  std::string source = "*UNIFONT,6,Zigzag\n9,2,0,0,0,0\n", strokes = "1,";
  for (int k = 1; k <= 80; ++k) strokes += k % 2 != 0 ? "8,(1,9)," : "8,(1,-9),";
  char code[16];
  for (unsigned c = 0x4E00; c < 0x4E00 + 4000; ++c) {
    std::snprintf(code, sizeof code, "%04X", c);
    source.append("*0").append(code).append(",246,g\n").append(strokes).append("2,8,(2,0),0\n");
  }
  for (const std::string& side : {work_, here_}) WriteFileBytes(side + "/zigzag.kqs", source);
  ASSERT_EQ(Run({"zigzag.kqs", "out.lff"}).status, 0);
  ASSERT_EQ(Here({"zigzag.kqs", "out.lff"}).status, 0);
  const std::string here = ReadFileBytes(here_ + "/out.lff");
  ASSERT_GT(here.size(), std::size_t{1} << 20);
  // Compared whole, told by their sizes: the text runs to megabytes.
  const std::string windows = ReadFileBytes(work_ + "/out.lff");
  EXPECT_TRUE(windows == here) << windows.size() << " bytes against " << here.size();
  ProcessResult piped = Run({"zigzag.kqs", "--to", "lff", "-"});
  ASSERT_EQ(piped.status, 0) << piped.err;
  EXPECT_TRUE(piped.out == here) << piped.out.size() << " bytes against " << here.size();
  // Nothing is left beside the output.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(work_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"out.lff", "zigzag.kqs"}));
}

}  // namespace
}  // namespace morlune::testing
