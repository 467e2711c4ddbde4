// The converter through the public API, worked out by hand: a font 21 units
// high goes to Hershey glyph lines unscaled, a line from (0,0) to (10,0)
// centred on its margins; what the format cannot carry is a loss, an error
// under strict; bytes of no font, and formats on the wrong side, say why.
#include <gtest/gtest.h>

#include <morlune/morlune.h>

#include <string>
#include <vector>

#include "tests/src/api/geometry_text.h"
#include "tests/support/font_builder.h"

namespace morlune::testing {
namespace {

// "!" a line 10 east; "(" a quarter circle of radius 5 from angle 0.
Font Strokes(bool withArc) {
  std::vector<FontRecord> records = {Shape(0, "s", {21, 0, 0, 0}), Shape(0x21, "", {1, 0xA0, 0})};
  if (withArc) records.push_back(Shape(0x28, "", {1, 10, 5, 0x02, 0}));
  return OpenOrFail(BuildFont(FontVariant::kShapes11, records));
}

std::string Text(const std::vector<Byte>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Line 32 (the space, which the font lacks) is an empty line; "!": margins
// -5 and +5 ('M', 'W'), then (-5, 9) and (5, 9) with y down from the
// baseline at 9 ('M[', 'W[').
const std::string kLineAsJhf = "   32  1RR\n   33  3MWM[W[\n";

TEST(ConvertApi, ExportsWorkedByHand) {
  ExportOptions options;
  options.format = FontFormat::kJhf;
  Result<ExportedFont> exported = ExportFont(Strokes(false), options);
  ASSERT_TRUE(exported) << exported.error().message;
  EXPECT_EQ(Text(exported->bytes), kLineAsJhf);
  EXPECT_TRUE(exported->losses.empty());
  // Piece by piece, the same bytes.
  std::string pieces;
  Result<std::vector<Loss>> losses = ExportFont(Strokes(false), options, [&](std::string_view piece) { pieces += piece; });
  ASSERT_TRUE(losses);
  EXPECT_EQ(pieces, kLineAsJhf);
}

TEST(ConvertApi, LossesAsDataAndStrictAsAnError) {
  ExportOptions options;
  options.format = FontFormat::kJhf;
  Result<ExportedFont> exported = ExportFont(Strokes(true), options);
  ASSERT_TRUE(exported) << exported.error().message;
  // The arc's pieces also leave the grid, and its end is an advance off
  // the baseline: a loss of each kind, in the kinds' order.
  ASSERT_FALSE(exported->losses.empty());
  const Loss& flattened = exported->losses[0];
  EXPECT_EQ(flattened.kind, LossKind::kArcsFlattened);
  EXPECT_EQ(flattened.count, 1);
  EXPECT_GT(flattened.largest, 0);
  EXPECT_TRUE(flattened.text.starts_with("arcs flattened: 1 (at most ")) << flattened.text;
  std::string all;
  for (std::size_t k = 0; k < exported->losses.size(); ++k) {
    if (k > 0) {
      EXPECT_LT(exported->losses[k - 1].kind, exported->losses[k].kind);
    }
    all += (k == 0 ? " " : "; ") + exported->losses[k].text;
  }
  options.strict = true;
  Result<ExportedFont> refused = ExportFont(Strokes(true), options);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().kind, ErrorKind::kLossy);
  EXPECT_EQ(refused.error().message, "the format cannot carry everything:" + all);
  EXPECT_TRUE(ExportFont(Strokes(false), options)) << "a font the format carries whole passes strict";
}

// Hershey lines come back exactly: their grid is the font's own.
TEST(ConvertApi, ImportedHersheyLinesExportTheSame) {
  ImportOptions options;
  options.format = FontFormat::kJhf;
  options.name = "line";
  Result<ImportedFont> imported = ImportFont(BytesOf(kLineAsJhf), options);
  ASSERT_TRUE(imported) << imported.error().message;
  EXPECT_EQ(imported->heightUnits, 21);
  EXPECT_EQ(imported->largestError, 0);
  EXPECT_EQ(imported->font.variant(), Variant::kShapes11);
  ASSERT_FALSE(imported->report.empty());
  EXPECT_TRUE(imported->report.back().find("21 units per capital height, largest error 0") != std::string::npos)
      << imported->report.back();
  // The source text is the font's: compiled, the same bytes.
  Result<std::vector<Byte>> compiled = Compile(imported->sourceText);
  ASSERT_TRUE(compiled);
  EXPECT_TRUE(std::equal(compiled->begin(), compiled->end(), imported->font.bytes().begin(),
                         imported->font.bytes().end()));
  ExportOptions back;
  back.format = FontFormat::kJhf;
  Result<ExportedFont> exported = ExportFont(imported->font, back);
  ASSERT_TRUE(exported);
  EXPECT_EQ(Text(exported->bytes), kLineAsJhf);
}

TEST(ConvertApi, RefusalsSayWhy) {
  ImportOptions jhf;
  jhf.format = FontFormat::kJhf;
  ImportOptions toCompiled;
  toCompiled.format = FontFormat::kCompiled;
  ImportOptions badPage;
  badPage.format = FontFormat::kJhf;
  badPage.variant = Variant::kBigfont;
  badPage.encoding = "NO-SUCH-PAGE";
  const struct {
    const char* what;
    std::string bytes;
    ImportOptions options;
    ErrorKind kind;
    std::string startsWith;
  } imports[] = {
      {"no glyph lines", "", jhf, ErrorKind::kNotAFont, "cannot be read as jhf: "},
      {"a shape format as the input", kLineAsJhf, toCompiled, ErrorKind::kBadArgument, "cannot convert to or from kqx"},
      {"an unknown code page", kLineAsJhf, badPage, ErrorKind::kEncoding, "cannot be made a shape font: "},
  };
  for (const auto& c : imports) {
    SCOPED_TRACE(c.what);
    Result<ImportedFont> imported = ImportFont(BytesOf(c.bytes), c.options);
    ASSERT_FALSE(imported);
    EXPECT_EQ(imported.error().kind, c.kind);
    EXPECT_TRUE(imported.error().message.starts_with(c.startsWith)) << imported.error().message;
  }
  ExportOptions toSource;
  toSource.format = FontFormat::kSource;
  ExportOptions page;
  page.format = FontFormat::kSvg;
  page.encoding = "NO-SUCH-PAGE";
  for (const ExportOptions& options : {toSource, page}) {
    std::optional<Error> refused = ExportRefusal(Strokes(false), options);
    ASSERT_TRUE(refused);
    Result<ExportedFont> exported = ExportFont(Strokes(false), options);
    ASSERT_FALSE(exported);
    EXPECT_EQ(exported.error().message, refused->message);
  }
  EXPECT_FALSE(ExportRefusal(Strokes(false), {}));
}

TEST(ConvertApi, FormatsByNameAndPath) {
  const struct {
    std::string_view text;
    std::optional<FontFormat> byName, byPath;
  } cases[] = {
      {"svg", FontFormat::kSvg, std::nullopt},
      {"KQX", FontFormat::kCompiled, std::nullopt},
      {"dir.v2/font.lff", std::nullopt, FontFormat::kLff},
      {"fonts\\roman.JHF", std::nullopt, FontFormat::kJhf},
      {"font.kqs", std::nullopt, FontFormat::kSource},
      {".svg", std::nullopt, std::nullopt},  // a hidden file, no extension
      {"-", std::nullopt, std::nullopt},
      {"ttf", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(FontFormatFromName(c.text), c.byName);
    EXPECT_EQ(FontFormatOfPath(c.text), c.byPath);
  }
  for (FontFormat format : {FontFormat::kCompiled, FontFormat::kSource, FontFormat::kSvg, FontFormat::kJhf,
                            FontFormat::kLff}) {
    EXPECT_EQ(FontFormatFromName(FontFormatName(format)), format);
  }
}

}  // namespace
}  // namespace morlune::testing
