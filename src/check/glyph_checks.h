// The checks of what a glyph draws: its warnings as the drawing gives them,
// how far it reaches above the font's height and below its depth, and where
// its pen ends.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <morlune/geometry.h>

#include "check/finding.h"
#include "check/structure_checks.h"

namespace morlune::check {

// The box of the glyph's segments, arcs by their true extremes;
// empty when nothing is drawn.
Box GlyphBox(const Glyph& glyph);

class GlyphChecker {
 public:
  explicit GlyphChecker(const FontFacts& facts) : facts_(facts) {}

  // Appends the glyph's findings. A warning of one kind about one code is
  // told once for the font, at the first glyph that meets it, with the
  // number of other glyphs that meet it too.
  void Check(const Glyph& glyph, std::vector<Finding>& findings);
  // Adds those numbers to the findings' texts.
  void Finish(std::vector<Finding>& findings);

 private:
  struct Told {
    std::size_t finding;
    long long otherGlyphs;
  };
  // The glyphs that pass one bound: told once, at the farthest.
  struct Reach {
    long long glyphs = 0;
    double farthest = 0;
    std::uint32_t code = 0;
    void Add(double amount, std::uint32_t glyph);
  };
  void Warning(const Glyph& glyph, const GlyphWarning& warning, std::vector<Finding>& findings);
  void TellReach(FindingId id, const Reach& reach, const std::string& words, std::vector<Finding>& findings) const;

  const FontFacts& facts_;
  std::map<std::pair<int, std::uint32_t>, Told> told_;
  Reach above_, below_, farAbove_, farBelow_;
};

}  // namespace morlune::check
