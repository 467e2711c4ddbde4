// The checker through the public API: the errors' kinds, severities by name,
// and the report's lines written from findings made by hand. Findings as
// data (their identifiers, severities, codes, counts and coverage as
// ranges) and inputs that are no font are the Python module's tests of the
// same call (CheckTest).
#include <gtest/gtest.h>

#include <morlune/morlune.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/src/api/geometry_text.h"

namespace morlune::testing {
namespace {

TEST(CheckApi, OptionsRefused) {
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
