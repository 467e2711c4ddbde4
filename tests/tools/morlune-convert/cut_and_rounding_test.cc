// What an export tells as lost: the records of a font cut short, counted,
// and nothing for a rounding the format's own numbers cannot show; a font
// with no glyph, or no index to read, exports nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/font_builder.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

ProcessResult Convert(std::vector<std::string> args) {
  return RunProcess({std::move(args), StdinKind::kNone, "", "", {}, "", MORLUNE_CONVERT_BINARY});
}

TEST(ConvertLosses, AFontCutShort) {
  // A header of 6 bytes ("t", its 0 and four values), then five glyphs of
  // 3 bytes each (an empty name's 0, a stroke of 4, the ending 0).
  std::vector<FontRecord> records = {Shape(0, "t", {21, 7, 0, 0})};
  for (std::uint16_t code = 0x41; code <= 0x45; ++code) records.push_back(Shape(code, "", {0x40, 0}));
  const std::string font = BuildFont(FontVariant::kShapes11, records);
  const std::string dir = MakeTempDir();
  const std::string lost = ": lost on the way to svg: ";
  const struct {
    const char* what;
    std::size_t cut;  // bytes taken off the end
    bool strict;
    int status;
    std::string err;  // after "morlune-convert: FILE"
  } rows[] = {
      {"whole", 0, true, 0, ""},
      {"the last two records gone", 6, false, 0,
       lost + "records the font's index announces and the file does not hold: 2\n"},
      {"the same under --strict", 6, true, 1,
       lost + "records the font's index announces and the file does not hold: 2\n"
              ": not written: --strict and the format cannot carry everything\n"},
      // C keeps its name and stroke, not its ending 0: drawn as far as it goes.
      {"cut inside the third glyph", 7, false, 0,
       lost + "glyphs whose drawing stopped early or skipped a part: 1\n" + lost +
           "records the font's index announces and the file does not hold: 2\n"},
      {"the header alone", 15, false, 1,
       ": holds no glyph to export (the file ends before the 5 records its index announces)\n"},
      // The signature, two words, the count and three bytes of the first entry.
      {"cut inside the index", font.size() - (Signature(FontVariant::kShapes11).size() + 4 + 2 + 3), false, 1,
       ": cannot be read as a shape font: its index is cut short or cannot be read\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string input = dir + "/cut.kqx";
    WriteFileBytes(input, font.substr(0, font.size() - row.cut));
    std::remove((dir + "/cut.svg").c_str());
    std::vector<std::string> args = {input, dir + "/cut.svg"};
    if (row.strict) args.insert(args.begin(), "--strict");
    ProcessResult run = Convert(args);
    EXPECT_EQ(run.status, row.status);
    std::string expected;
    for (std::size_t at = 0; at < row.err.size();) {
      std::size_t end = row.err.find('\n', at) + 1;
      expected += "morlune-convert: " + input + row.err.substr(at, end - at);
      at = end;
    }
    EXPECT_EQ(run.err, expected);
    EXPECT_EQ(FileExists(dir + "/cut.svg"), row.status == 0);
  }
}

// A font of Hershey lines whose glyphs all end 4 units right of their ink,
// on the JHF grid of 21 units: in LFF units (9 a capital) its points and
// its advances fall between the fifth decimals, which is as near as the
// file's numbers come, and so no loss.
TEST(ConvertLosses, RoundingBelowTheFormatsDecimalsIsNoLoss) {
  const std::string dir = MakeTempDir();
  // A space 16 wide; strokes from the baseline to the capital height, 12
  // and 8 units across, in glyphs 16 and 12 wide.
  WriteFileBytes(dir + "/even.jhf", "    1  1JZ\n    2  3JZJ[VF\n    3  3LXL[TF\n");
  ProcessResult in = Convert({dir + "/even.jhf", dir + "/even.kqx"});
  ASSERT_EQ(in.status, 0) << in.err;
  for (const char* format : {"lff", "svg", "jhf"}) {
    SCOPED_TRACE(format);
    ProcessResult out = Convert({"--strict", dir + "/even.kqx", dir + "/even." + format});
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.err, "");
  }
}

}  // namespace
}  // namespace morlune::testing
