// The sample message library that users copy and translate: every text has
// the shape its use needs, and a run finds the library on the library path.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

using TextFunction = const char* (*)(unsigned);

// Messages written as "morlune: TEXT.\n", and messages written as formats.
constexpr unsigned kErrorLineIds[] = {1207, 1208, 1210, 1211, 1212, 1213, 1214};
constexpr unsigned kFormatIds[] = {1209, 1215, 1216, 1217, 1218, 1219, 1220, 1221, 1222};
// The usage text, line by line.
constexpr unsigned kUsageOrder[] = {1215, 1216, 1217, 1222, 1218, 1219, 1220, 1221};

class SampleMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = ::dlopen(MORLUNE_SAMPLE_MESSAGES_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << ::dlerror();
    text_ = reinterpret_cast<TextFunction>(::dlsym(handle_, "KelvoResMessageText"));
    ASSERT_NE(text_, nullptr) << "KelvoResMessageText is not exported";
  }
  void TearDown() override {
    if (handle_ != nullptr) ::dlclose(handle_);
  }

  std::string Text(unsigned id) {
    const char* text = text_(id);
    EXPECT_NE(text, nullptr) << "no text for " << id;
    return text != nullptr ? text : "";
  }

  void* handle_ = nullptr;
  TextFunction text_ = nullptr;
};

TEST_F(SampleMessages, ErrorLineTextsHaveNoFullStopNorLineEnd) {
  for (unsigned id : kErrorLineIds) {
    std::string text = Text(id);
    SCOPED_TRACE(id);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_NE(text.back(), '.');
  }
}

TEST_F(SampleMessages, FormatTextsEndTheirLinesAndDoubleEveryPercent) {
  for (unsigned id : kFormatIds) {
    std::string text = Text(id);
    SCOPED_TRACE(id);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 2)) {
      EXPECT_EQ(text.compare(at, 2, "%%"), 0) << "stray % at " << at;
    }
  }
}

TEST_F(SampleMessages, UsageTextsAreOneLineEach) {
  for (unsigned id : kUsageOrder) {
    SCOPED_TRACE(id);
    std::string text = Text(id);
    EXPECT_EQ(text.find('\n'), text.size() - 1);
  }
}

// The banner heads every source file, so each of its lines is a comment or
// empty, and it ends with an empty line.
TEST_F(SampleMessages, BannerIsCommentLines) {
  std::string banner = Text(1209);
  ASSERT_GE(banner.size(), 2u);
  EXPECT_EQ(banner.substr(banner.size() - 2), "\n\n");
  for (std::size_t start = 0; start < banner.size();) {
    std::size_t end = banner.find('\n', start);
    std::string line = banner.substr(start, end - start);
    EXPECT_TRUE(line.empty() || line.rfind(";;", 0) == 0) << line;
    start = end + 1;
  }
}

TEST_F(SampleMessages, HoldsNothingOutsideTheCatalogue) {
  for (unsigned id : {0u, 1206u, 1223u, 65535u}) EXPECT_EQ(text_(id), nullptr) << id;
}

// A run with the sample's folder on the library path takes its texts from
// the sample alone. None of them holds a percent sign, so each comes out as
// it is stored.
TEST_F(SampleMessages, RunFindsItOnTheLibraryPath) {
  ProcessRequest request;
  request.env = {{"LD_LIBRARY_PATH", MORLUNE_SAMPLE_MESSAGES_DIR}};
  request.args = {"-?"};
  std::string usage;
  for (unsigned id : kUsageOrder) usage += Text(id);
  ProcessResult got = RunProcess(request);
  EXPECT_EQ(got.out, usage);
  EXPECT_EQ(got.err, "");
  EXPECT_EQ(got.status, 1);

  request.args = {};
  request.stdinKind = StdinKind::kPipe;
  request.stdinBytes = "no font here\n";
  got = RunProcess(request);
  EXPECT_EQ(got.out, Text(1209));
  EXPECT_EQ(got.err, "morlune: " + Text(1210) + ".\n");
  EXPECT_EQ(got.status, 1);
}

}  // namespace
}  // namespace morlune::testing
