// Golden runs: the built executable decompiles each golden font, and its
// output must match, byte for byte, the source text worked out by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "tests/e2e/golden_cases.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

std::string Expected(const GoldenCase& golden) {
  return ReadFileBytes(std::string(MORLUNE_SOURCE_DIR) + "/" + golden.expectedFile);
}

// A temporary folder holding one font file, removed with the test.
struct FontFile {
  explicit FontFile(const std::string& bytes) : dir(MakeTempDir()), path(dir + "/font.kqx") {
    WriteFileBytes(path, bytes);
  }
  ~FontFile() { std::filesystem::remove_all(dir); }
  std::string dir;
  std::string path;
};

}  // namespace

void PrintTo(const GoldenCase& golden, std::ostream* os) { *os << golden.name; }

namespace {

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, OutputMatchesHandWorkedSource) {
  const GoldenCase& golden = GetParam();
  FontFile font(golden.buildFont());
  ProcessRequest request;
  request.args = golden.options;
  request.args.push_back(font.path);
  request.env = {{"LD_LIBRARY_PATH", ""}};
  ProcessResult result = RunProcess(request);

  std::string expected = Expected(golden);
  ASSERT_FALSE(expected.empty()) << golden.expectedFile;
  EXPECT_EQ(result.out, expected);
  EXPECT_EQ(result.err, golden.expectedErrors);
  EXPECT_EQ(result.status, golden.status);
}

INSTANTIATE_TEST_SUITE_P(Fonts, GoldenTest, ::testing::ValuesIn(GoldenCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) { return info.param.name; });

// The same text reaches a file named with -o, and a sequential font may
// come through a pipe on standard input.
TEST(GoldenStreams, PipedInputToOutputFile) {
  const GoldenCase& golden = GoldenCases().at(3);
  ASSERT_STREQ(golden.name, "Shapes11");
  FontFile font("");
  std::string outPath = font.dir + "/font.kqs";
  ProcessRequest request;
  request.args = {"-o", outPath};
  request.stdinKind = StdinKind::kPipe;
  request.stdinBytes = golden.buildFont();
  request.env = {{"LD_LIBRARY_PATH", ""}};
  ProcessResult result = RunProcess(request);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFileBytes(outPath), Expected(golden));
}

}  // namespace
}  // namespace morlune::testing
