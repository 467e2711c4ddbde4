// The two forms of a check's output, written from the same reports: lines
// for people and a JSON document for programs (its schema is
// docs/morlune-check.schema.json).
#pragma once

#include <string>
#include <vector>

#include "check/finding.h"
#include "check/font_check.h"
#include "platform/text_output.h"

namespace morlune::check {

struct RunSummary {
  long long fonts = 0;       // inputs named
  long long unreadable = 0;  // of them, those that could not be read
  FindingCounts counts;
  Severity failOn = Severity::kFail;
};

RunSummary Summarise(const std::vector<FontReport>& reports, Severity failOn);

// One line per finding, GNU style: "FONT: CODE: SEVERITY ID: TEXT" for a
// record, "FONT:LINE:COLUMN: SEVERITY ID: TEXT" for source text,
// "FONT: SEVERITY ID: TEXT" for the whole font.
void WriteFindingLines(const FontReport& report, TextOutput& output);

// "N fonts checked: A FAIL, B WARN, C INFO" (and the unreadable ones).
void WriteSummaryLine(const RunSummary& summary, TextOutput& output);

// The whole run as one JSON document, ending with a line feed.
void WriteJsonDocument(const std::vector<FontReport>& reports, const RunSummary& summary, TextOutput& output);

}  // namespace morlune::check
