// The draw target's reading of the specimen: one glyph per cell, in order,
// each with its own path data or none, never a later cell's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fuzz/path_compare.h"

namespace morlune::fuzzing {
namespace {

std::string Cell(const std::string& inside) { return "<g transform=\"translate(10,20)\">" + inside + "</g>\n"; }
std::string Glyph(const std::string& scale, const std::string& data) {
  return "<path class=\"g\" transform=\"matrix(" + scale + " 0 0 -" + scale + " 0 0)\" d=\"" + data + "\"/>";
}

TEST(SpecimenGlyphs, OnePerCellWithItsOwnPath) {
  const struct {
    const char* what;
    std::string svg;
    std::vector<std::string> paths;
    std::vector<double> scales;
  } rows[] = {
      {"no cells", "<svg></svg>", {}, {}},
      {"two cells that draw", "<svg>" + Cell(Glyph("2.5", "m0 0l4 0")) + Cell(Glyph("0.5", "m1 1l2 2")) + "</svg>",
       {"m0 0l4 0", "m1 1l2 2"}, {2.5, 0.5}},
      // An empty cell's glyph is empty, though a later cell has a path.
      {"an empty cell before one that draws", "<svg>" + Cell("<text>A</text>") + Cell(Glyph("3", "m0 0l1 0")) + "</svg>",
       {"", "m0 0l1 0"}, {0, 3}},
      {"empty cells only", "<svg>" + Cell("") + Cell("") + Cell("") + "</svg>", {"", "", ""}, {0, 0, 0}},
      {"a cell the picture leaves open", "<svg>" + Cell(Glyph("1", "m0 0l1 0")) + "<g transform=\"translate(",
       {"m0 0l1 0", ""}, {1, 0}},
  };
  for (const auto& row : rows) {
    std::vector<SpecimenGlyph> glyphs = SpecimenGlyphs(row.svg);
    ASSERT_EQ(glyphs.size(), row.paths.size()) << row.what;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
      EXPECT_EQ(glyphs[i].pathData, row.paths[i]) << row.what << " " << i;
      EXPECT_DOUBLE_EQ(glyphs[i].pixelsPerUnit, row.scales[i]) << row.what << " " << i;
    }
  }
}

}  // namespace
}  // namespace morlune::fuzzing
