// A table of hand-made fonts, each a clean font with one fault planted:
// the check must give exactly the findings that fault causes, and no other.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "check/font_check.h"
#include "tests/support/font_builder.h"

namespace morlune::check {
namespace {

using testing::BuildFont;
using testing::FontLayout;
using testing::FontRecord;
using testing::FontVariant;
using testing::Shape;

// (identifier, code or -1 for the font as a whole or a place in the text).
using Expected = std::set<std::pair<std::string, long>>;

Expected Found(const FontReport& report) {
  Expected found;
  for (const Finding& finding : report.findings) {
    found.insert({KindOf(finding.id).name, finding.code ? static_cast<long>(*finding.code) : -1});
  }
  return found;
}

std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Height 6, depth 2, no vertical forms.
FontRecord Header() { return Shape(0, "test", {6, 2, 0, 0}); }
// A plain glyph: a stroke of 4 units along the baseline, advance (4, 0).
FontRecord Plain(std::uint16_t code) { return Shape(code, "", {0x40, 0}); }

std::string ShapesFont(std::vector<FontRecord> records) {
  return BuildFont(FontVariant::kShapes11, std::move(records));
}
// A shapes font with the glyph A holding data and a plain B beside it.
std::string FontWithA(std::initializer_list<int> data) {
  return ShapesFont({Header(), Shape(0x41, "", data), Plain(0x42)});
}

struct Planted {
  const char* fault;
  std::string font;
  Expected expected;
  DrawLimits limits = {};
  std::optional<CharacterSet> coverage = std::nullopt;
};

std::vector<Planted> PlantedFaults() {
  std::vector<Planted> rows;
  rows.push_back({"nothing: the clean font", FontWithA({0x40, 0}), {}});

  // Subshapes.
  rows.push_back({"a subshape names a code no record has", FontWithA({7, 0x43, 0x40, 0}), {{"missing-subshape", 0x41}}});
  rows.push_back({"a record calls itself", FontWithA({7, 0x41, 0x40, 0}), {{"subshape-cycle", 0x41}}});
  {
    // 18 records in a chain: the first draws the 18th at depth 17.
    std::vector<FontRecord> records{Header()};
    for (int code = 0x50; code < 0x50 + 17; ++code) records.push_back(Shape(static_cast<std::uint16_t>(code), "", {7, code + 1, 0}));
    records.push_back(Plain(0x61));
    rows.push_back({"subshapes nested 17 deep", ShapesFont(records), {{"subshape-too-deep", 0x50}}});
  }
  rows.push_back({"a subshape names code 0",
                  BuildFont(FontVariant::kUnifont10, {Shape(0, "test", {6, 2, 0, 0, 0, 0}), Shape(0x41, "", {7, 0, 0, 0x40, 0})}),
                  {{"subshape-zero", 0x41}}});
  rows.push_back({"a long form in a font of height 0",
                  ShapesFont({Shape(0, "test", {0, 2, 0, 0}), Shape(0x41, "", {7, 0, 0, 0x42, 0, 0, 4, 4, 0}), Plain(0x42)}),
                  {{"height-zero", 0}, {"long-form-no-height", 0x41}}});

  // Geometry against the header.
  rows.push_back({"up 8 in a font of height 6", FontWithA({0x84, 0x8C, 0x40, 0}), {{"above-height", 0x41}}});
  rows.push_back({"down 3 in a font of depth 2", FontWithA({0x3C, 0x34, 0x40, 0}), {{"below-depth", 0x41}}});
  // Past the font's body of 8 units: up 15 (9 above the height), down 15.
  rows.push_back({"up 15 in a font of height 6", FontWithA({0xF4, 0xFC, 0x40, 0}), {{"far-above-height", 0x41}}});
  rows.push_back({"down 15 in a font of depth 2", FontWithA({0xFC, 0xF4, 0x40, 0}), {{"far-below-depth", 0x41}}});
  rows.push_back({"an advance to the left", FontWithA({0x48, 0}), {{"negative-advance", 0x41}}});
  rows.push_back({"the pen ends above the baseline", FontWithA({0x44, 0}), {{"vertical-advance", 0x41}}});

  // The position stack.
  rows.push_back({"a pop with nothing pushed", FontWithA({6, 0x40, 0}), {{"pop-empty-stack", 0x41}}});
  rows.push_back({"a push never popped", FontWithA({5, 0x40, 0}), {{"push-without-pop", 0x41}}});
  rows.push_back({"five pushes, four pops", FontWithA({5, 5, 5, 5, 5, 0x40, 6, 6, 6, 6, 0}), {{"stack-full", 0x41}}});

  // Scale and bounds.
  rows.push_back({"a scale divided by 0", FontWithA({3, 0, 0x40, 0}), {{"zero-scale", 0x41}}});
  rows.push_back({"a scale of 255^4", FontWithA({4, 255, 4, 255, 4, 255, 4, 255, 0x40, 0}), {{"out-of-bounds", 0x41}}});
  rows.push_back({"more items than the glyph's bound", FontWithA({0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0}),
                  {{"too-many-items", 0x41}}, DrawLimits{16, 5, 16, 1000000}});
  // A run of 3 items: A takes 2, B's ending 0 is the fourth.
  rows.push_back({"a font that spends the run's items", FontWithA({0x40, 0}), {{"check-budget-spent", -1}},
                  DrawLimits{16, 100000, 0, 3}});

  // Where a record's items end.
  rows.push_back({"a list left open at the record's end", FontWithA({0x40, 9, 1, 2}), {{"item-cut-off", 0x41}}});
  rows.push_back({"a byte after the ending 0", FontWithA({0x40, 0, 0x40}), {{"bytes-after-end", 0x41}}});
  rows.push_back({"no ending 0", FontWithA({0x40}), {{"no-end-code", 0x41}}});
  // The last record's code 8 takes its operands from two bytes after it.
  rows.push_back({"operands read past the declared length",
                  ShapesFont({Header(), Plain(0x41), Shape(0x42, "", {0x40, 8})}) + std::string("\x01\x02", 2),
                  {{"length-mismatch", 0x42}}});
  {
    std::string font = FontWithA({0x40, 0});
    rows.push_back({"the file ends inside the last record", font.substr(0, font.size() - 1), {{"length-mismatch", 0x42}}});
  }

  // The container.
  rows.push_back({"two records of one code", ShapesFont({Header(), Plain(0x41), Plain(0x41)}), {{"duplicate-code", 0x41}}});
  {
    // The index announces three records; the file ends after two.
    std::string font = ShapesFont({Header(), Plain(0x41), Plain(0x42)});
    rows.push_back({"the file ends before the last record", font.substr(0, font.size() - 3), {{"unreached-records", -1}}});
  }
  rows.push_back({"bytes after the last record", ShapesFont({Header(), Plain(0x41)}) + "xyz", {{"unread-bytes", -1}}});
  {
    std::string font = ShapesFont({Header(), Plain(0x41)});
    // Cut inside the index: signature, two words, the count and one entry of two.
    rows.push_back({"the index cut short", font.substr(0, 24 + 4 + 2 + 4 + 2), {{"bad-index", -1}}});
  }
  {
    FontLayout layout(FontVariant::kBigfont10, {Shape(0, "test", {6, 2, 0, 0}), Plain(0x41)});
    FontRecord alias{0x42, "", 3, std::nullopt, 0};
    layout.records.push_back(alias);
    std::string plain = BuildFont(layout);
    // The third entry points at the second record's bytes.
    FontLayout overlapping = layout;
    std::size_t recordsStart = 25 + 6 + 3 * 8;  // the signature, three words, the index
    overlapping.records[2].offset = static_cast<std::uint32_t>(recordsStart + layout.records[0].bytes.size());
    rows.push_back({"two bigfont entries share bytes", BuildFont(overlapping), {{"index-overlap", 0x42}}});
    FontLayout outside = layout;
    outside.records[2].offset = 100000;
    rows.push_back({"a bigfont entry past the end of the file", BuildFont(outside), {{"index-outside-file", 0x42}}});
  }

  // The font-header record.
  rows.push_back({"no font-header record", ShapesFont({Plain(0x41), Plain(0x42)}), {{"no-font-header", -1}}});
  rows.push_back({"a height of 0", ShapesFont({Shape(0, "test", {0, 2, 0, 0}), Plain(0x41)}), {{"height-zero", 0}}});
  // In a bigfont, whose records are reached by their offsets: a shapes
  // font's records after a short header are read from the wrong place.
  rows.push_back({"three header bytes",
                  BuildFont(FontVariant::kBigfont10, {Shape(0, "test", {6, 2, 0}), Plain(0x41)}),
                  {{"header-values", 0}}});
  rows.push_back({"a header's last byte not 0", ShapesFont({Shape(0, "test", {6, 2, 0, 9}), Plain(0x41)}),
                  {{"header-last-byte", 0}}});

  // Names.
  rows.push_back({"a name with a line end", ShapesFont({Header(), Shape(0x41, "a\nb", {0x40, 0})}), {{"name-line-end", 0x41}}});
  rows.push_back({"a name with a comma", ShapesFont({Header(), Shape(0x41, "a,b", {0x40, 0})}), {{"name-comma", 0x41}}});
  rows.push_back({"a name of 1024 bytes", ShapesFont({Header(), Shape(0x41, std::string(1024, 'n'), {0x40, 0})}),
                  {{"name-too-long", 0x41}}});
  {
    FontRecord past = Shape(0x41, "abc", {});
    past.length = 2;  // the name and its zero byte take 4
    rows.push_back({"a name past the record's length", ShapesFont({Header(), past, Plain(0x42)}), {{"name-past-length", 0x41}}});
  }

  // Inputs that are no font, and source text.
  rows.push_back({"no font at all", "hello", {{"not-a-font", -1}}});
  rows.push_back({"source text with a wrong record count",
                  "*BIGFONT 5,1,081,09F\n*0,4,test\n6,2,0,0\n*00041,2,\n040,0\n", {{"source-warning", -1}}});
  rows.push_back({"source text with an error", "*0,4,test\n6,2,0,0\n*00041,3,\n040,0\n", {{"source-error", -1}}});

  // Coverage.
  std::string error;
  rows.push_back({"a character of the set missing", FontWithA({0x40, 0}), {{"coverage-missing", -1}}, {},
                  CharacterSetOfRange("U+0041-0043", error)});
  return rows;
}

TEST(PlantedFaults, EachGivesExactlyItsFindings) {
  for (const Planted& row : PlantedFaults()) {
    CheckOptions options;
    options.limits = row.limits;
    options.coverage = row.coverage;
    FontReport report = CheckFont("font", Bytes(row.font), options);
    EXPECT_EQ(Found(report), row.expected) << row.fault;
  }
}

// Records 0050 on, each calling the next, links of them, then a plain one.
std::string ChainFont(int links) {
  std::vector<FontRecord> records = {Header()};
  for (int code = 0x50; code < 0x50 + links; ++code) records.push_back(Shape(static_cast<std::uint16_t>(code), "", {7, code + 1, 0}));
  records.push_back(Plain(static_cast<std::uint16_t>(0x50 + links)));
  return ShapesFont(records);
}

// Where a finding's words carry a number, it is the one the fault implies.
// (How far a glyph reaches above the height is GlyphChecker's test.)
TEST(PlantedFaults, TextsSayHowMuch) {
  struct Row {
    std::string font;
    const char* words;
  };
  const Row rows[] = {
      {FontWithA({0x3C, 0x34, 0x40, 0}), "reaches 1 unit below the font's depth of 2 units"},
      {FontWithA({0x48, 0}), "the advance is -4 units"},
      {FontWithA({0x40, 0, 0x40, 0x40, 0x40}), "3 bytes follow the record's ending 0"},
      {FontWithA({0x40, 9, 1, 2}), "cut off at byte 1"},
      {FontWithA({7, 0x43, 0x40, 0}), "names 0043, which no record has"},
      // The stack's findings name the record whose item pushes or pops; one
      // that glyphs reach through a subshape is told once, with a count.
      {FontWithA({5, 5, 5, 5, 5, 0x40, 6, 6, 6, 6, 0}), "a fifth position is pushed in record 0041;"},
      {ShapesFont({Header(), Shape(0x41, "", {6, 0x40, 0}), Shape(0x42, "", {7, 0x41, 0})}),
       "record 0041 pops a position with none pushed; drawing ignores it (and in 1 other glyph)"},
      // A chain of 18 calls: 0050 is stopped at 0060, 0051 at 0061; the
      // bound is the font's, told once.
      {ChainFont(18), "subshapes nest deeper than 16 at 0060; the glyph stops there (and in 1 other glyph)"},
  };
  for (const Row& row : rows) {
    FontReport report = CheckFont("font", Bytes(row.font), {});
    ASSERT_EQ(report.findings.size(), 1u) << row.words;
    EXPECT_NE(report.findings[0].text.find(row.words), std::string::npos) << report.findings[0].text;
  }
}

// Source text: each problem at its line and column, in the order of the text.
TEST(PlantedFaults, SourceProblemsKeepTheirPlaces) {
  FontReport report = CheckFont("t.kqs", Bytes("*BIGFONT 5,1,081,09F\n*0,4,test\n6,2,0,0\n*00041,2,\n040,0\n"), {});
  ASSERT_EQ(report.findings.size(), 1u);
  EXPECT_EQ(std::tie(*report.findings[0].line, *report.findings[0].column), std::make_tuple(1LL, 10LL));
  EXPECT_TRUE(report.fromSource);
  EXPECT_EQ(report.variant, "bigfont");
}

// A font cut at every length: every run ends, and a cut font is never clean.
TEST(PlantedFaults, EveryCutOfAFontEndsWithFindings) {
  const std::string font = ShapesFont({Header(), Shape(0x41, "a", {0x40, 7, 0x42, 0}), Shape(0x42, "", {2, 0x10, 0})});
  ASSERT_TRUE(CheckFont("font", Bytes(font), {}).findings.empty());
  for (std::size_t size = 0; size < font.size(); ++size) {
    FontReport report = CheckFont("font", Bytes(font.substr(0, size)), {});
    EXPECT_FALSE(report.findings.empty()) << size;
  }
}

}  // namespace
}  // namespace morlune::check
