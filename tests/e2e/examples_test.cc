// The sample fonts of examples/: the committed files are what the
// generator makes, and each decompiles to the source text beside it.
#include <gtest/gtest.h>

#include "examples/sample_font.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

TEST(Examples, CommittedFontsDecompileToTheSourceBesideThem) {
  for (const examples::SampleFile& sample : examples::kSampleFiles) {
    SCOPED_TRACE(sample.stem);
    std::string stem = std::string(MORLUNE_SOURCE_DIR) + "/examples/" + sample.stem;
    std::string font = ReadFileBytes(stem + ".kqx");
    EXPECT_EQ(font, examples::SampleFont(sample.variant)) << "rerun make_examples";

    ProcessRequest request;
    request.args = {stem + ".kqx"};
    request.env = {{"LD_LIBRARY_PATH", ""}};
    ProcessResult result = RunProcess(request);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, ReadFileBytes(stem + ".kqs"));
    EXPECT_EQ(result.err, sample.variant == FontVariant::kShapes10
                              ? "morlune: Quen 10 file output in Quen 11 format.\n"
                              : "");
  }
}

}  // namespace
}  // namespace morlune::testing
