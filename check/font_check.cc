// The passes of one font's check in order: source text compiled, the
// structure walked, the glyphs drawn, the coverage counted.
#include "check/font_check.h"

#include <algorithm>
#include <utility>

#include "check/glyph_pass.h"
#include "check/source_input.h"
#include "check/structure_checks.h"

namespace morlune::check {
namespace {

const char* VariantText(int variant) {
  static const char* const kNames[] = {"shapes10", "shapes11", "bigfont", "unifont"};
  return variant >= 0 && variant < 4 ? kNames[variant] : "";
}

// Font-wide first, then source text by line, then records by code.
int Rank(const Finding& finding) { return finding.code ? 2 : finding.line ? 1 : 0; }

}  // namespace

FontReport CheckFont(std::string label, std::vector<unsigned char> bytes, const CheckOptions& options) {
  FontReport report;
  report.label = std::move(label);
  FontInput input = FontOfInput(std::move(bytes), report.findings);
  report.fromSource = input.fromSource;
  if (input.compiled) {
    FontFacts facts = CheckStructure(input.font, report.findings);
    report.variant = VariantText(facts.variant);
    if (facts.readable) {
      CheckGlyphs(input.font, facts, options.limits, report.findings);
      if (options.coverage) CheckCoverage(*options.coverage, facts, options.encoding, report.findings);
    }
  }
  std::stable_sort(report.findings.begin(), report.findings.end(), [](const Finding& a, const Finding& b) {
    if (Rank(a) != Rank(b)) return Rank(a) < Rank(b);
    if (a.line && b.line) return *a.line < *b.line;
    return a.code.value_or(0) < b.code.value_or(0);
  });
  return report;
}

}  // namespace morlune::check
