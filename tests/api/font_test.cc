// The public Font: what opening takes and refuses, the edges of its records
// and header values, the notices of decompiling, source text's problems.
// The golden texts themselves are morlune's whole runs' (the same writer),
// the variants' names and the decompiling options the Python module's; the
// sample fonts come back byte for byte in the whole runs, through the
// Python module's compile and decompile, and through the library's example
// in CI's install stage.
#include <gtest/gtest.h>

#include <morlune/morlune.h>

#include <string>
#include <vector>

#include "tests/api/geometry_text.h"
#include "tests/support/font_builder.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

const std::string kExamples = MORLUNE_SOURCE_DIR "/examples/";

std::string Text(std::span<const Byte> bytes) { return std::string(bytes.begin(), bytes.end()); }

// Each variant compiled, a bigfont's source text, nothing and bytes of no font are the Python module's tests
// of the same call (KindTest, OpeningTest); here the edges of the head.
TEST(FontOpen, WhatIsTakenAndWhatIsRefused) {
  const struct {
    const char* what;
    std::string bytes;
    bool opens;
    Variant variant;    // when it opens
    ErrorKind refused;  // when it does not
  } cases[] = {
      {"source text without variant", "*00041,2,a\n040,0\n", true, Variant::kShapes11, {}},
      {"a signature alone", std::string("Vormald-86 shapes 1.1\r\n\x1A", 24), true, Variant::kShapes11, {}},
      {"text with no header line", "hello\nworld\n", false, {}, ErrorKind::kNotAFont},
      {"a signature whose 0x1A the end takes", "Vormald-86 unifont 1.0\r\n", true, Variant::kUnifont, {}},
      {"a signature of another revision", std::string("Vormald-86 shapes 1.2\r\n\x1A", 24), false, {},
       ErrorKind::kNotAFont},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Result<Font> font = Font::FromBytes(BytesOf(c.bytes));
    ASSERT_EQ(font.ok(), c.opens) << (font ? "" : font.error().message);
    if (font) {
      EXPECT_EQ(font->variant(), c.variant);
    } else {
      EXPECT_EQ(font.error().kind, c.refused);
      EXPECT_FALSE(font.error().message.empty());
    }
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

TEST(FontOpen, PathsAndTheirFailures) {
  Result<Font> font = Font::Open(kExamples + "strokes_unifont.kqx");
  ASSERT_TRUE(font) << font.error().message;
  EXPECT_EQ(font->variant(), Variant::kUnifont);
  EXPECT_EQ(Text(font->bytes()), ReadFileBytes(kExamples + "strokes_unifont.kqx"));
  const std::pair<std::string, ErrorKind> refused[] = {{kExamples + "no-such-font.kqx", ErrorKind::kUnreadable},
                                                       {kExamples, ErrorKind::kUnreadable},
                                                       {MORLUNE_SOURCE_DIR "/CMakeLists.txt", ErrorKind::kNotAFont}};
  for (const auto& [path, kind] : refused) {
    Result<Font> failed = Font::Open(path);
    ASSERT_FALSE(failed) << path;
    EXPECT_EQ(failed.error().kind, kind) << path;
  }
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

TEST(FontDecompile, NoticesOfAFontCutShortAndOfARefusedIndex) {
  FontLayout refused(FontVariant::kBigfont10, {Shape(0, "b", {8, 0, 0, 8, 0})});
  refused.entrySize = 6;
  Decompiled text = OpenOrFail(BuildFont(refused)).Decompile();
  EXPECT_EQ(text.notices, std::vector<std::string>{"Invalid hash table entry size"});
  EXPECT_EQ(text.text, ";;\n;;  Vormald KQS file generated by morlune.exe\n;;\n\n");
}

}  // namespace
}  // namespace morlune::testing
