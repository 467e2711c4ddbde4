// The two outputs of one list: lines by where a finding is, and JSON
// strings that stay valid whatever bytes a path holds.
#include <gtest/gtest.h>

#include "check/report.h"
#include "tests/support/captured_text.h"

namespace morlune::check {
namespace {

using testing::Captured;

Finding Made(FindingId id, std::optional<std::uint32_t> code, std::optional<long long> line, std::string text) {
  Finding finding;
  finding.id = id;
  finding.code = code;
  finding.line = line;
  if (line) finding.column = 7;
  finding.text = std::move(text);
  return finding;
}

TEST(Report, LinesByPlace) {
  FontReport report;
  report.label = "f.kqx";
  report.findings = {Made(FindingId::kNoFontHeader, std::nullopt, std::nullopt, "none"),
                     Made(FindingId::kSourceWarning, std::nullopt, 12, "counted"),
                     Made(FindingId::kMissingSubshape, 0xABC, std::nullopt, "gone"),
                     Made(FindingId::kHeaderLastByte, 0, std::nullopt, "six")};
  EXPECT_EQ(Captured([&](TextOutput& out) { WriteFindingLines(report, out); }),
            "f.kqx: FAIL no-font-header: none\n"
            "f.kqx:12:7: WARN source-warning: counted\n"
            "f.kqx: 0ABC: FAIL missing-subshape: gone\n"
            "f.kqx: 0000: INFO header-last-byte: six\n");
  RunSummary summary = Summarise({report, FontReport{"g", "", false, "cannot open: x", {}}}, Severity::kWarn);
  EXPECT_EQ(Captured([&](TextOutput& out) { WriteSummaryLine(summary, out); }),
            "2 fonts checked: 2 FAIL, 1 WARN, 1 INFO; 1 could not be read\n");
  EXPECT_TRUE(summary.counts.AnyAtOrAbove(Severity::kFail));
}

TEST(Report, JsonStrings) {
  struct Row {
    std::string label;
    const char* json;
  };
  const Row rows[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"line\nend\x01", "\"line\\u000aend\\u0001\""},
      {"caf\xC3\xA9", "\"caf\xC3\xA9\""},                 // UTF-8 as it is
      {"bad\xFF" "byte\xC3", "\"bad\\ufffdbyte\\ufffd\""},  // other bytes as U+FFFD
      {"\xE2\x82", "\"\\ufffd\\ufffd\""},
      {"\xC0\x80\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\""},  // overlong, surrogate
  };
  for (const Row& row : rows) {
    FontReport report;
    report.label = row.label;
    std::string document =
        Captured([&](TextOutput& out) { WriteJsonDocument({report}, Summarise({report}, Severity::kFail), out); });
    std::string expected = std::string("{\"font\": ") + row.json + ", \"variant\": null";
    EXPECT_NE(document.find(expected), std::string::npos) << document;
  }
}

TEST(Report, CoverageRangesInJson) {
  FontReport report;
  report.label = "f";
  Finding finding = Made(FindingId::kCoverageMissing, std::nullopt, std::nullopt, "lacks");
  finding.missing = {{0x41, 0x41}, {0x400, 0x4FF}, {0x1F600, 0x1F601}};
  report.findings = {finding};
  std::string document =
      Captured([&](TextOutput& out) { WriteJsonDocument({report}, Summarise({report}, Severity::kFail), out); });
  EXPECT_NE(document.find("\"missing\": [[\"U+0041\", \"U+0041\"], [\"U+0400\", \"U+04FF\"], [\"U+1F600\", \"U+1F601\"]]"),
            std::string::npos)
      << document;
}

}  // namespace
}  // namespace morlune::check
