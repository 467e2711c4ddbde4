// Findings as lines and as JSON; both walk the same reports in the same
// order.
#include "check/report.h"

#include <string_view>
#include <vector>

#include "check/structure_checks.h"
#include "platform/hex_code.h"
#include "platform/utf8.h"

namespace morlune::check {
namespace {

// The length of the UTF-8 sequence at text[at], or 0 where the bytes are
// not one.
std::size_t Utf8Length(const std::string& text, std::size_t at) { return ReadUtf8(text, at).length; }

// A JSON string; bytes that are not UTF-8 (a path may hold them) become
// U+FFFD.
void AppendJsonString(std::string& out, const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (std::size_t at = 0; at < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[at]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else if (c >= 0x80) {
      std::size_t length = Utf8Length(text, at);
      if (length == 0) {
        out += "\\ufffd";
        ++at;
        continue;
      }
      out.append(text, at, length);
      at += length;
      continue;
    } else {
      out += static_cast<char>(c);
    }
    ++at;
  }
  out += '"';
}

void AppendCounts(std::string& out, const FindingCounts& counts) {
  out += "\"FAIL\": " + std::to_string(counts.fail) + ", \"WARN\": " + std::to_string(counts.warn) +
         ", \"INFO\": " + std::to_string(counts.info);
}

void AppendFinding(std::string& out, const Finding& finding) {
  const FindingKind& kind = KindOf(finding.id);
  out += "{\"severity\": \"";
  out += SeverityName(kind.severity);
  out += "\", \"id\": \"";
  out += kind.name;
  out += "\"";
  if (finding.code) out += ", \"code\": " + std::to_string(*finding.code);
  if (finding.line) out += ", \"line\": " + std::to_string(*finding.line);
  if (finding.column) out += ", \"column\": " + std::to_string(*finding.column);
  out += ", \"text\": ";
  AppendJsonString(out, finding.text);
  if (!finding.missing.empty()) {
    out += ", \"missing\": [";
    for (std::size_t i = 0; i < finding.missing.size(); ++i) {
      const CharacterRange& range = finding.missing[i];
      out += i == 0 ? "[\"" : ", [\"";
      out += CharacterName(range.first) + "\", \"" + CharacterName(range.second) + "\"]";
    }
    out += "]";
  }
  out += "}";
}

}  // namespace

RunSummary Summarise(const std::vector<FontReport>& reports, Severity failOn) {
  RunSummary summary;
  summary.failOn = failOn;
  for (const FontReport& report : reports) {
    ++summary.fonts;
    if (!report.error.empty()) ++summary.unreadable;
    summary.counts.Add(CountFindings(report.findings));
  }
  return summary;
}

void WriteFindingLines(const FontReport& report, TextOutput& output) {
  std::string out;
  for (const Finding& finding : report.findings) {
    const FindingKind& kind = KindOf(finding.id);
    out.clear();
    out += report.label;
    if (finding.line) {
      out += ':';
      out += std::to_string(*finding.line);
      out += ':';
      out += std::to_string(finding.column.value_or(1));
    } else if (finding.code) {
      out += ": ";
      out += CodeHex(*finding.code);
    }
    out += ": ";
    out += SeverityName(kind.severity);
    out += ' ';
    out += kind.name;
    out += ": ";
    out += finding.text;
    out += '\n';
    output.Write(out);
  }
}

void WriteSummaryLine(const RunSummary& summary, TextOutput& output) {
  std::string line = std::to_string(summary.fonts) + (summary.fonts == 1 ? " font" : " fonts") + " checked: " +
                     std::to_string(summary.counts.fail) + " FAIL, " + std::to_string(summary.counts.warn) +
                     " WARN, " + std::to_string(summary.counts.info) + " INFO";
  if (summary.unreadable > 0) line += "; " + std::to_string(summary.unreadable) + " could not be read";
  output.Write(line);
  output.Put('\n');
}

void WriteJsonDocument(const std::vector<FontReport>& reports, const RunSummary& summary, TextOutput& output) {
  std::string out = "{\"schema\": 1, \"fonts\": [";
  for (std::size_t i = 0; i < reports.size(); ++i) {
    const FontReport& report = reports[i];
    out += i == 0 ? "\n  {\"font\": " : ",\n  {\"font\": ";
    AppendJsonString(out, report.label);
    if (!report.error.empty()) {
      out += ", \"error\": ";
      AppendJsonString(out, report.error);
    }
    out += ", \"variant\": ";
    if (report.variant.empty()) {
      out += "null";
    } else {
      AppendJsonString(out, report.variant);
    }
    out += report.fromSource ? ", \"source\": true" : ", \"source\": false";
    out += ", \"findings\": [";
    for (std::size_t j = 0; j < report.findings.size(); ++j) {
      out += j == 0 ? "\n    " : ",\n    ";
      AppendFinding(out, report.findings[j]);
      // Out a finding at a time: a font of many findings needs no document
      // in memory.
      output.Write(out);
      out.clear();
    }
    out += report.findings.empty() ? "], \"summary\": {" : "\n  ], \"summary\": {";
    AppendCounts(out, CountFindings(report.findings));
    out += "}}";
  }
  out += reports.empty() ? "], \"summary\": {" : "\n], \"summary\": {";
  out += "\"fonts\": " + std::to_string(summary.fonts) + ", \"unreadable\": " + std::to_string(summary.unreadable) + ", ";
  AppendCounts(out, summary.counts);
  out += ", \"failOn\": \"";
  out += SeverityName(summary.failOn);
  out += "\"}}\n";
  output.Write(out);
}

}  // namespace morlune::check
