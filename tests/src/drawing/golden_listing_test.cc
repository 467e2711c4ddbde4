// The listings of the sample fonts of examples/ and of the golden fonts of
// the decompiler's tests, against listings worked out by hand: byte for
// byte, but for the lines with arcs, whose numbers may differ in the last
// digit from one C library to the next.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "examples/sample_font.h"
#include "tests/src/drawing/listing_support.h"
#include "tests/e2e/golden_cases.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

const std::string kGolden = MORLUNE_SOURCE_DIR "/tests/src/drawing/golden/";

void ExpectListing(const std::string& got, const std::string& expected) {
  std::istringstream gotLines(got), expectedLines(expected);
  std::string a, b;
  while (std::getline(expectedLines, b)) {
    ASSERT_TRUE(std::getline(gotLines, a)) << "missing: " << b;
    if (b.find(" A ") != std::string::npos) {
      EXPECT_TRUE(SameWithinTolerance(a, b)) << a << "\nexpected\n" << b;
    } else {
      EXPECT_EQ(a, b);
    }
  }
  EXPECT_FALSE(std::getline(gotLines, a)) << "more lines than expected: " << a;
}

// The four variants of the sample draw the same ten shapes.
TEST(GoldenListing, SampleFontInEveryVariant) {
  for (const examples::SampleFile& sample : examples::kSampleFiles) {
    SCOPED_TRACE(sample.stem);
    DrawnListing drawn = ListFont(ReadFileBytes(MORLUNE_SOURCE_DIR "/examples/" + std::string(sample.stem) + ".kqx"));
    ExpectListing(drawn.listing, ReadFileBytes(kGolden + "strokes.list"));
    EXPECT_EQ(drawn.warnings, "");
  }
}

TEST(GoldenListing, DecompilerGoldenFonts) {
  const std::string noSuch = ": the font has no such shape\n";
  const struct {
    std::string (*font)();
    const char* listing;
    std::string warnings;
  } cases[] = {
      {GoldenShapes10Font, "shapes10.list",
       "0039: an item of shape 0039 runs past the end of its record; that record ends there\n"},
      {GoldenShapes11Font, "shapes11.list", "002D: subshape 4190 is skipped" + noSuch},
      {GoldenBigfontFont, "bigfont.list", ""},
      {GoldenUnifontFont, "unifont.list",
       "4E00: subshape 0190 is skipped" + noSuch + "00E9: subshape 0065 is skipped" + noSuch +
           "00E9: subshape 0301 is skipped" + noSuch},
  };
  for (const auto& golden : cases) {
    SCOPED_TRACE(golden.listing);
    DrawnListing drawn = ListFont(golden.font());
    ExpectListing(drawn.listing, ReadFileBytes(kGolden + golden.listing));
    EXPECT_EQ(drawn.warnings, golden.warnings);
  }
}

}  // namespace
}  // namespace morlune::testing
