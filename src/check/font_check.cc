// The passes of one font's check in order: source text compiled, the
// structure walked, the glyphs drawn, the coverage counted.
#include "check/font_check.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <morlune/compile.h>

#include "check/glyph_pass.h"
#include "check/source_input.h"
#include "check/structure_checks.h"

namespace morlune::check {
namespace {

// Font-wide first, then source text by line, then records by code; in
// the order found within each.
int Rank(const Finding& finding) { return finding.code ? 2 : finding.line ? 1 : 0; }

}  // namespace

FontReport CheckFont(std::string label, std::vector<unsigned char> bytes, const CheckOptions& options) {
  FontReport report;
  report.label = std::move(label);
  FontInput input = FontOfInput(std::move(bytes), report.findings);
  report.fromSource = input.fromSource;
  if (input.compiled) {
    FontFacts facts = CheckStructure(input.font, report.findings);
    // Unrecognised (-1), it has no name.
    report.variant = VariantName(static_cast<Variant>(facts.variant));
    if (facts.readable) {
      CheckGlyphs(input.font, facts, options.limits, report.findings);
      if (options.coverage) CheckCoverage(*options.coverage, facts, options.encoding, report.findings);
    }
  }
  // Sorted by a key each, then moved once into place: a font of many
  // findings sorts numbers, not findings.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> order;
  order.reserve(report.findings.size());
  for (std::size_t i = 0; i < report.findings.size(); ++i) {
    const Finding& finding = report.findings[i];
    std::uint64_t place = finding.line ? static_cast<std::uint64_t>(*finding.line) : finding.code.value_or(0);
    order.push_back({static_cast<std::uint64_t>(Rank(finding)) << 56 | place, static_cast<std::uint32_t>(i)});
  }
  std::sort(order.begin(), order.end());
  std::vector<Finding> sorted;
  sorted.reserve(order.size());
  for (const auto& [key, index] : order) sorted.push_back(std::move(report.findings[index]));
  report.findings = std::move(sorted);
  return report;
}

}  // namespace morlune::check
