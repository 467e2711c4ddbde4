// The checker through the public API: findings as data with their stable
// identifiers and severities, the counts, coverage as ranges, and the
// report's lines written from findings made by hand.
#include <gtest/gtest.h>

#include <morlune/morlune.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/src/api/geometry_text.h"
#include "tests/support/font_builder.h"

namespace morlune::testing {
namespace {

const CheckFinding* FindingOf(const FontCheck& check, std::string_view id) {
  for (const CheckFinding& finding : check.findings) {
    if (finding.id == id) return &finding;
  }
  return nullptr;
}

// "A" calls shape 0042, which the font lacks; "B" is absent from a set that
// asks for A to C.
TEST(CheckApi, FindingsAsData) {
  std::string font = BuildFont(FontVariant::kShapes11, {Shape(0, "s", {21, 0, 0, 0}), Shape(0x41, "", {7, 0x42, 0}),
                                                        Shape(0x43, "", {0})});
  CheckOptions options;
  Result<CharacterSet> set = CharacterSetOfRange("U+0041-0043");
  ASSERT_TRUE(set) << set.error().message;
  EXPECT_EQ(set->characters, (std::vector<char32_t>{U'A', U'B', U'C'}));
  options.coverage = *set;
  Result<FontCheck> check = CheckFont(BytesOf(font), options, "f.kqx");
  ASSERT_TRUE(check) << check.error().message;
  EXPECT_EQ(check->label, "f.kqx");
  EXPECT_EQ(check->variant, "shapes11");
  EXPECT_FALSE(check->fromSource);
  const CheckFinding* missing = FindingOf(*check, "missing-subshape");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(std::tuple(missing->severity, missing->code), std::tuple(Severity::kFail, std::optional<std::uint32_t>(0x41)));
  const CheckFinding* lacked = FindingOf(*check, "coverage-missing");
  ASSERT_NE(lacked, nullptr);
  EXPECT_EQ(lacked->severity, Severity::kWarn);
  EXPECT_EQ(lacked->missing, (std::vector<std::pair<char32_t, char32_t>>{{U'B', U'B'}}));
  FindingCounts counted;
  for (const CheckFinding& finding : check->findings) counted.Add(finding.severity);
  EXPECT_EQ(std::tuple(check->counts.info, check->counts.warn, check->counts.fail),
            std::tuple(counted.info, counted.warn, counted.fail));
  EXPECT_TRUE(check->counts.AnyAtOrAbove(Severity::kFail));
}

TEST(CheckApi, InputsThatAreNoFontAndOptionsRefused) {
  Result<FontCheck> junk = CheckFont(BytesOf("no font at all"));
  ASSERT_TRUE(junk);
  EXPECT_EQ(junk->variant, "");
  ASSERT_NE(FindingOf(*junk, "not-a-font"), nullptr);
  EXPECT_EQ(junk->counts.fail, 1);
  CheckOptions options;
  options.encoding = "NO-SUCH-PAGE";
  Result<FontCheck> refused = CheckFont(BytesOf("no font at all"), options);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().kind, ErrorKind::kEncoding);
  EXPECT_EQ(refused.error().message, "the system knows no code page 'NO-SUCH-PAGE'");
  EXPECT_FALSE(CharacterSetOfRange("0041-0043"));
  EXPECT_EQ(CharacterSetOfEncoding("NO-SUCH-PAGE").error().kind, ErrorKind::kEncoding);
}

TEST(CheckApi, SeveritiesByName) {
  const std::tuple<std::string_view, std::optional<Severity>> cases[] = {
      {"FAIL", Severity::kFail}, {"warn", Severity::kWarn}, {"Info", Severity::kInfo},
      {"", std::nullopt},        {"WARNING", std::nullopt},
  };
  for (const auto& [name, severity] : cases) EXPECT_EQ(SeverityFromName(name), severity) << name;
  EXPECT_EQ(SeverityName(Severity::kWarn), "WARN");
  EXPECT_TRUE((FindingCounts{0, 1, 0}.AnyAtOrAbove(Severity::kInfo)));
  EXPECT_FALSE((FindingCounts{3, 0, 0}.AnyAtOrAbove(Severity::kWarn)));
}

// A record's finding names its code, source text's its line and column, the
// whole font's neither; an unread input counts in the closing line.
TEST(CheckApi, ReportLinesFromFindings) {
  FontCheck record{"a.kqx", "shapes11", false, "", {{"missing-subshape", Severity::kFail, 0x41, {}, {}, "no 0042", {}}}, {0, 0, 1}};
  FontCheck source{"b.kqs", "", true, "", {{"source-warning", Severity::kWarn, {}, 3, 5, "a count", {}}}, {0, 1, 0}};
  FontCheck whole{"c.kqx", "unifont", false, "", {{"unread-bytes", Severity::kInfo, {}, {}, {}, "2 bytes", {}}}, {1, 0, 0}};
  FontCheck unread{"d.kqx", "", false, "cannot open: No such file or directory", {}, {}};
  EXPECT_EQ(CheckReportLines({record, source, whole, unread}),
            "a.kqx: 0041: FAIL missing-subshape: no 0042\n"
            "b.kqs:3:5: WARN source-warning: a count\n"
            "c.kqx: INFO unread-bytes: 2 bytes\n"
            "4 fonts checked: 1 FAIL, 1 WARN, 1 INFO; 1 could not be read\n");
  EXPECT_EQ(CheckReportLines({}), "0 fonts checked: 0 FAIL, 0 WARN, 0 INFO\n");
  const std::string json = CheckReportJson({record}, Severity::kWarn);
  EXPECT_NE(json.find("{\"severity\": \"FAIL\", \"id\": \"missing-subshape\", \"code\": 65, \"text\": \"no 0042\"}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"failOn\": \"WARN\""), std::string::npos) << json;
}

}  // namespace
}  // namespace morlune::testing
