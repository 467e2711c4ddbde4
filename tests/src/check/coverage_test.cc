// Character sets and the codes by which each variant's text reaches them.
#include <gtest/gtest.h>

#include "check/coverage.h"

namespace morlune::check {
namespace {

TEST(CharacterSets, Ranges) {
  struct Row {
    const char* spec;
    std::size_t size;  // 0: refused
    char32_t first;
  };
  const Row rows[] = {
      {"U+0400-04FF", 256, 0x400},
      {"U+0041", 1, 0x41},
      {"u+0041-0041", 1, 0x41},
      {"U+0000-0020", 1, 0x20},          // controls are no characters to draw
      {"U+007E-00A0", 2, 0x7E},          // DEL and C1 left out
      {"U+D7FB-E000", 1, 0xD7FB},        // surrogates, private use and unassigned D7FC-D7FF left out
      // The Greek block's 144 code points less the 9 no character has:
      // 0378-0379, 0380-0383, 038B, 038D and 03A2.
      {"U+0370-03FF", 135, 0x370},
      {"U+0377-037A", 2, 0x377},
      {"U+0380-038C", 8, 0x384},         // 0384-038A and 038C
      {"U+FFFC-FFFF", 2, 0xFFFC},        // the two noncharacters left out
      {"U+04FF-0400", 0, 0},
      {"U+", 0, 0},
      {"U+110000", 0, 0},
      {"U+12345678", 0, 0},
      {"U+00G1", 0, 0},
      {"0041", 0, 0},
  };
  for (const Row& row : rows) {
    std::string error;
    std::optional<CharacterSet> set = CharacterSetOfRange(row.spec, error);
    if (row.size == 0) {
      EXPECT_FALSE(set) << row.spec;
      EXPECT_FALSE(error.empty()) << row.spec;
      continue;
    }
    ASSERT_TRUE(set) << row.spec << ": " << error;
    EXPECT_EQ(set->characters.size(), row.size) << row.spec;
    EXPECT_EQ(set->characters.front(), row.first) << row.spec;
  }
  // Between the tags and the variation selectors no code point is assigned:
  // a range there is well formed and holds nothing.
  std::string error;
  std::optional<CharacterSet> none = CharacterSetOfRange("U+E0080-E00FF", error);
  ASSERT_TRUE(none) << error;
  EXPECT_TRUE(none->characters.empty());
}

TEST(CharacterSets, TextAndEncoding) {
  std::string error;
  std::optional<CharacterSet> text = CharacterSetOfText("t.txt", "Ab A\r\n\t\xD0\x96" "b\n", error);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->characters, (std::vector<char32_t>{0x20, 0x41, 0x62, 0x416}));
  EXPECT_FALSE(CharacterSetOfText("t.txt", "A\xC0", error));
  // Code page 1252: 0x20-0x7E and the 123 of 0x80-0xFF that it defines
  // (0x81, 0x8D, 0x8F, 0x90 and 0x9D are not).
  std::optional<CharacterSet> cp1252 = CharacterSetOfEncoding("CP1252", error);
  ASSERT_TRUE(cp1252) << error;
  EXPECT_EQ(cp1252->characters.size(), 95u + 123u);
  EXPECT_TRUE(std::binary_search(cp1252->characters.begin(), cp1252->characters.end(), U'\u20AC'));
  EXPECT_FALSE(std::binary_search(cp1252->characters.begin(), cp1252->characters.end(), U'\u0100'));
  EXPECT_FALSE(CharacterSetOfEncoding("no-such-page", error));
}

FontFacts Facts(int variant, std::vector<std::uint16_t> codes) {
  FontFacts facts;
  facts.recognised = facts.readable = true;
  facts.variant = variant;
  facts.drawnCodes = std::move(codes);
  return facts;
}

// What each variant lacks of one set: A, the euro sign, Zhe, hiragana a.
TEST(Coverage, CodesByVariant) {
  const CharacterSet set{"set", {0x41, 0x416, 0x20AC, 0x3042}};
  struct Row {
    const char* what;
    FontFacts facts;
    const char* encoding;
    std::vector<CharacterRange> lacked;
  };
  FontFacts bigfont = Facts(2, {0x41, 0x82A0});
  bigfont.escapeRanges = {{0x81, 0x9F}};
  const Row rows[] = {
      {"shapes, Latin-1 codes", Facts(1, {0x41, 0x80}), "", {{0x416, 0x416}, {0x20AC, 0x20AC}, {0x3042, 0x3042}}},
      {"shapes through 1252: the euro is 0x80", Facts(1, {0x41, 0x80}), "CP1252", {{0x416, 0x416}, {0x3042, 0x3042}}},
      {"unifont by code point", Facts(3, {0x41, 0x416, 0x3042, 0x20AC}), "", {}},
      {"unifont without the euro", Facts(3, {0x41, 0x416, 0x3042}), "", {{0x20AC, 0x20AC}}},
      {"bigfont through 932: hiragana a is 82A0", bigfont, "CP932", {{0x416, 0x416}, {0x20AC, 0x20AC}}},
      {"bigfont without its code page: UTF-8 bytes, one code for ASCII alone", bigfont, "", {{0x416, 0x416}, {0x20AC, 0x20AC}, {0x3042, 0x3042}}},
      {"a font with no code 0x41 reached", Facts(1, {}), "", {{0x41, 0x41}, {0x416, 0x416}, {0x20AC, 0x20AC}, {0x3042, 0x3042}}},
  };
  for (const Row& row : rows) {
    std::vector<Finding> findings;
    ASSERT_TRUE(CheckCoverage(set, row.facts, row.encoding, findings)) << row.what;
    if (row.lacked.empty()) {
      EXPECT_TRUE(findings.empty()) << row.what;
      continue;
    }
    ASSERT_EQ(findings.size(), 1u) << row.what;
    EXPECT_EQ(findings[0].id, FindingId::kCoverageMissing);
    EXPECT_EQ(findings[0].missing, row.lacked) << row.what;
  }
}

}  // namespace
}  // namespace morlune::check
