// The public Font: what opening takes and refuses, the edges of its records
// and header values, source text's problems. The golden texts themselves
// and a refused index's notice are morlune's whole runs' (the same writer);
// the variants' names, the decompiling options and the notices of a font
// cut short the Python module's; the sample fonts come back byte for byte
// in the whole runs, through the Python module's compile and decompile, and
// through the library's example in CI's install stage.
#include <gtest/gtest.h>

#include <morlune/morlune.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/src/api/geometry_text.h"
#include "tests/support/font_builder.h"

namespace morlune::testing {
namespace {

const std::string kExamples = MORLUNE_SOURCE_DIR "/examples/";

// Each variant compiled, a bigfont's source text, nothing and bytes of no font are the Python module's tests
// of the same call (KindTest, OpeningTest); here the edges of the head that open.
TEST(FontOpen, WhatIsTaken) {
  const std::tuple<const char*, std::string, Variant> cases[] = {
      {"source text without variant", "*00041,2,a\n040,0\n", Variant::kShapes11},
      {"a signature alone", std::string("Vormald-86 shapes 1.1\r\n\x1A", 24), Variant::kShapes11},
      {"a signature whose 0x1A the end takes", "Vormald-86 unifont 1.0\r\n", Variant::kUnifont},
  };
  for (const auto& [what, bytes, variant] : cases) {
    Result<Font> font = Font::FromBytes(BytesOf(bytes));
    ASSERT_TRUE(font) << what << ": " << font.error().message;
    EXPECT_EQ(font->variant(), variant) << what;
  }
}

// Source text is compiled; each problem's place and the warnings of a font that opens are the Python module's
// tests of the same calls (CompileErrorTest, OpeningTest). Here the message, which names the count of errors and
// the first (0400 and -1 are out of range for a code byte), and warnings left as they were when compiling fails.
TEST(FontOpen, SourceErrorsInTheMessage) {
  Result<Font> refused = Font::FromBytes(BytesOf("*00041,2,a\n0400,0\n*00042,2,b\n-1,0\n"));
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().kind, ErrorKind::kSourceErrors);
  EXPECT_EQ(refused.error().diagnostics.size(), 2u);
  EXPECT_TRUE(refused.error().message.starts_with("the source text has 2 errors, the first at line 2, column 1"))
      << refused.error().message;
  std::vector<Diagnostic> warnings{{9, 9, true, "left over"}};
  EXPECT_FALSE(Compile("*00041,2,a\n300,0\n", {}, &warnings));
  EXPECT_EQ(warnings.size(), 1u);
}

// Opening by path, a missing file and a folder are the Python module's tests of the same call (OpeningTest); here
// the path named in the message of a failure.
TEST(FontOpen, AFailedPathIsNamed) {
  EXPECT_NE(Font::Open(kExamples + "no-such-font.kqx").error().message.find("no-such-font.kqx"), std::string::npos);
}

// Records, header values and escape ranges through the same calls are the Python module's tests (records in the
// index's or the codes' order with their names, default names and data; height, depth and modes; a bigfont's
// ranges and none elsewhere; a code held or not). What those do not reach: a code past 16 bits, a font without
// a font-header record, and a bigfont's ranges as lead bytes, of which the part past 0xFF holds none.
TEST(FontRecords, CodesPastSixteenBitsNoHeaderAndRangesAsLeadBytes) {
  FontLayout layout(FontVariant::kBigfont10, {Shape(0, "b", {8, 0, 0, 8, 0}), Shape(0x8141, "", {0x40, 0})});
  layout.escapeRanges = {{0x81, 0x84}, {0xF0, 0x1FF}, {0x100, 0x120}};
  Font bigfont = OpenOrFail(BuildFont(layout));
  ASSERT_EQ(bigfont.escapeRanges().size(), 2u);
  EXPECT_EQ(bigfont.escapeRanges()[1].first, 0xF0);
  EXPECT_EQ(bigfont.escapeRanges()[1].last, 0xFF);
  EXPECT_EQ(bigfont.Find(0x8141), &bigfont.records()[1]);
  EXPECT_EQ(bigfont.Find(0x18141), nullptr);
  EXPECT_TRUE(bigfont.header().present);
  EXPECT_FALSE(OpenOrFail(BuildFont(FontVariant::kShapes11, {Shape(0x41, "", {0})})).header().present);
}

}  // namespace
}  // namespace morlune::testing

namespace morlune::testing {
namespace {

// value() of an error throws the error itself, its sentence as what(), in
// every form of access; error() of a value says there is none.
TEST(ResultAccess, AnErrorsValueThrowsItsOwnSentence) {
  Result<Font> refused = Font::FromBytes(BytesOf("*00041,2,a\n0400,0\n"));
  ASSERT_FALSE(refused);
  const std::string sentence = refused.error().message;
  const std::vector<std::function<void()>> accesses = {
      [&] { (void)refused.value(); },
      [&] { (void)std::as_const(refused).value(); },
      [&] { (void)refused->variant(); },
      [&] { (void)(*refused).variant(); },
      [&] { (void)std::move(refused).value(); },
  };
  for (std::size_t k = 0; k < accesses.size(); ++k) {
    try {
      accesses[k]();
      ADD_FAILURE() << "access " << k << " did not throw";
    } catch (const BadResultAccess& thrown) {
      EXPECT_EQ(std::string(thrown.what()), sentence) << "access " << k;
      EXPECT_EQ(thrown.error().kind, ErrorKind::kSourceErrors) << "access " << k;
      EXPECT_EQ(thrown.error().diagnostics.size(), 1u) << "access " << k;
    }
  }
  Result<int> held = 7;
  EXPECT_EQ(held.value(), 7);
  EXPECT_EQ(held.error().kind, ErrorKind::kBadArgument);
}

}  // namespace
}  // namespace morlune::testing
