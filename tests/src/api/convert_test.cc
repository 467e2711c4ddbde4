// The converter through the public API, worked out by hand: a font 21 units
// high goes to Hershey glyph lines unscaled, a line from (0,0) to (10,0)
// centred on its margins; what the format cannot carry is a loss, an error
// under strict; bytes of no font, and formats on the wrong side, say why.
// The same export, its losses and the Hershey lines imported and exported
// again are the Python module's tests of the same calls (ExportTest,
// ImportTest); here what those do not reach: the export piece by piece, the
// losses' order and the strict refusal's words, the errors' kinds.
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

TEST(ConvertApi, ExportsPieceByPiece) {
  ExportOptions options;
  options.format = FontFormat::kJhf;
  std::string pieces;
  Result<std::vector<Loss>> losses = ExportFont(Strokes(false), options, [&](std::string_view piece) { pieces += piece; });
  ASSERT_TRUE(losses) << losses.error().message;
  EXPECT_TRUE(losses->empty());
  EXPECT_EQ(pieces, kLineAsJhf);
}

TEST(ConvertApi, LossesAsDataAndStrictAsAnError) {
  ExportOptions options;
  options.format = FontFormat::kJhf;
  Result<ExportedFont> exported = ExportFont(Strokes(true), options);
  ASSERT_TRUE(exported) << exported.error().message;
  // The arc's pieces also leave the grid, and its end is an advance off
  // the baseline: a loss of each kind, in the kinds' order.
  ASSERT_GT(exported->losses.size(), 1u);
  EXPECT_EQ(exported->losses[0].kind, LossKind::kArcsFlattened);
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
      {"ttf", FontFormat::kTrueType, std::nullopt},
      {"web/font.WOFF2", std::nullopt, FontFormat::kWoff2},
      {"otf", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(FontFormatFromName(c.text), c.byName);
    EXPECT_EQ(FontFormatOfPath(c.text), c.byPath);
  }
  for (FontFormat format : {FontFormat::kCompiled, FontFormat::kSource, FontFormat::kSvg, FontFormat::kJhf,
                            FontFormat::kLff, FontFormat::kTrueType, FontFormat::kWoff2}) {
    EXPECT_EQ(FontFormatFromName(FontFormatName(format)), format);
  }
}

// The font 21 units high: 65 output units per font unit (a capital of
// 1365, within 5% of 1356), so the default pen is 1365 / 14 = 97.5 units
// and the tolerance 0.5% of 1365 = 6.825; .notdef, the space added and
// "!" (and "(") make the glyphs. "(" ends 5 west and 5 north of where it
// began: its advance is both negative and vertical, which TrueType's
// advances cannot hold (held at 0, moved by 5).
TEST(ConvertApi, OpenTypeWorkedByHand) {
  if (!OpenTypeAvailable()) GTEST_SKIP() << "this build writes no OpenType";
  const struct {
    bool withArc, woff2;
    double pen;  // 0: the default
    std::string signature;
    long long glyphs;
    double penWidth;
    std::string losses;
  } rows[] = {
      {false, false, 0, std::string("\0\1\0\0", 4), 3, 97.5, ""},
      {true, false, 0, std::string("\0\1\0\0", 4), 4, 97.5, "advances moved: 2 (at most 5 font units)"},
      {true, true, 200, "wOF2", 4, 200, "advances moved: 2 (at most 5 font units)"},
  };
  for (const auto& row : rows) {
    OpenTypeOptions options;
    options.woff2 = row.woff2;
    if (row.pen > 0) {
      options.penWidth = row.pen;
      options.penWidthPerCap = false;
    }
    Result<OpenTypeFont> font = ToOpenType(Strokes(row.withArc), options);
    ASSERT_TRUE(font) << font.error().message;
    EXPECT_EQ(Text(font->bytes).substr(0, 4), row.signature);
    EXPECT_EQ(font->glyphs, row.glyphs);
    EXPECT_DOUBLE_EQ(font->unitsPerFontUnit, 65);
    EXPECT_NEAR(font->penWidth, row.penWidth, 1e-9);
    EXPECT_NEAR(font->tolerance, 6.825, 1e-9);
    EXPECT_LE(font->largestDeviation, font->tolerance);
    std::string told;
    for (const Loss& loss : font->losses) told += loss.text;
    EXPECT_EQ(told, row.losses);
  }
}

TEST(ConvertApi, OpenTypeRefusals) {
  if (!OpenTypeAvailable()) GTEST_SKIP() << "this build writes no OpenType";
  OpenTypeOptions noPen;
  noPen.penWidth = 0;
  OpenTypeOptions badTolerance;
  badTolerance.tolerance = -1;
  OpenTypeOptions unknownCodes;
  unknownCodes.encoding = "NO-SUCH-CODE-PAGE";
  // Whole units cannot follow an arc within a sixteenth of a unit.
  OpenTypeOptions strict;
  strict.strict = true;
  strict.tolerance = 0.0625;
  strict.tolerancePerCap = false;
  const struct {
    const char* what;
    OpenTypeOptions options;
    ErrorKind kind;
  } rows[] = {
      {"a pen of no width", noPen, ErrorKind::kBadArgument},
      {"a tolerance below 0", badTolerance, ErrorKind::kBadArgument},
      {"an unknown code page", unknownCodes, ErrorKind::kEncoding},
      {"strict past the tolerance", strict, ErrorKind::kLossy},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Result<OpenTypeFont> font = ToOpenType(Strokes(true), row.options);
    ASSERT_FALSE(font);
    EXPECT_EQ(font.error().kind, row.kind);
  }
}

}  // namespace
}  // namespace morlune::testing
