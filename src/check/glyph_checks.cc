// A glyph's geometry against the font-header record, and the drawing's
// warnings as findings.
#include "check/glyph_checks.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "drawing/glyph_bounds.h"
#include "drawing/number_text.h"
#include "source/hex_code.h"

namespace morlune::check {
namespace {

// Arcs are drawn in floating point: a point a hair past a bound is on it.
double Slack(double bound) { return 1e-6 * std::max(1.0, std::abs(bound)); }

std::string Units(double value) {
  std::string text;
  AppendDecimal(text, value);
  return text + (value == 1 ? " unit" : " units");
}

FindingId IdOfWarning(GlyphWarningKind kind) {
  switch (kind) {
    case GlyphWarningKind::kStackFull:
      return FindingId::kStackFull;
    case GlyphWarningKind::kStackEmpty:
      return FindingId::kPopEmptyStack;
    case GlyphWarningKind::kNoHeight:
      return FindingId::kLongFormNoHeight;
    case GlyphWarningKind::kSubshapeZero:
      return FindingId::kSubshapeZero;
    case GlyphWarningKind::kNoSuchShape:
      return FindingId::kMissingSubshape;
    case GlyphWarningKind::kAlreadyDrawn:
      return FindingId::kSubshapeCycle;
    case GlyphWarningKind::kTooDeep:
      return FindingId::kSubshapeTooDeep;
    case GlyphWarningKind::kTooManyItems:
      return FindingId::kTooManyItems;
    case GlyphWarningKind::kScaleBound:
    case GlyphWarningKind::kPositionBound:
      return FindingId::kOutOfBounds;
    case GlyphWarningKind::kRunSpent:
      return FindingId::kCheckBudgetSpent;
    case GlyphWarningKind::kCutShort:
    case GlyphWarningKind::kZeroScale:
    case GlyphWarningKind::kFileEnds:
      break;
  }
  return FindingId::kNotAFont;
}

std::string WarningText(const GlyphWarning& warning) {
  std::string code = CodeHex(warning.code);
  switch (warning.kind) {
    case GlyphWarningKind::kStackFull:
      return "a fifth position is pushed in record " + code + "; the stack holds 4 and drawing ignores it";
    case GlyphWarningKind::kStackEmpty:
      return "record " + code + " pops a position with none pushed; drawing ignores it";
    case GlyphWarningKind::kNoHeight:
      return "a long-form subshape calls " + code + " in a font of height 0; it is not drawn";
    case GlyphWarningKind::kSubshapeZero:
      return "a subshape names code 0, the font-header record; it is not drawn";
    case GlyphWarningKind::kNoSuchShape:
      return "a subshape names " + code + ", which no record has; it is not drawn";
    case GlyphWarningKind::kAlreadyDrawn:
      return "subshapes call " + code + " while it is being drawn (a cycle); the call is not drawn";
    case GlyphWarningKind::kTooDeep:
      return "subshapes nest deeper than 16 at " + code + "; the glyph stops there";
    case GlyphWarningKind::kTooManyItems:
      return "the glyph takes more than its bound of items (in " + code + "); it stops there";
    case GlyphWarningKind::kScaleBound:
      return "a scale item in " + code + " takes the scale out of its bounds (2^-31 to 2^31); the glyph stops there";
    case GlyphWarningKind::kPositionBound:
      return "an item in " + code + " takes the pen past 2^31 units; the glyph stops there";
    case GlyphWarningKind::kRunSpent:
      return "the check's drawing budget for this font is spent; this glyph and those after it are not drawn";
    case GlyphWarningKind::kCutShort:
    case GlyphWarningKind::kZeroScale:
    case GlyphWarningKind::kFileEnds:
      break;
  }
  return "";
}

}  // namespace

Box GlyphBox(const Glyph& glyph) {
  // The drawing's own bounds of lines and arcs, fed the glyph's segments.
  BoundsSink bounds;
  for (const Path& path : glyph.paths) {
    for (const Segment& segment : path.segments) {
      if (const LineSegment* line = std::get_if<LineSegment>(&segment)) {
        bounds.Line(line->from, line->to);
      } else {
        bounds.Arc(std::get<ArcSegment>(segment));
      }
    }
  }
  return bounds.Bounds();
}

void GlyphChecker::Warning(const Glyph& glyph, const GlyphWarning& warning, std::vector<Finding>& findings) {
  // Cut-off items, scales of 0 and records the file cuts short are found in
  // every record by its bytes.
  if (warning.kind == GlyphWarningKind::kCutShort || warning.kind == GlyphWarningKind::kZeroScale ||
      warning.kind == GlyphWarningKind::kFileEnds) {
    return;
  }
  FindingId id = IdOfWarning(warning.kind);
  // The run's budget is the font's, told once without a code.
  std::uint32_t key = warning.kind == GlyphWarningKind::kRunSpent ? 0 : warning.code;
  auto [told, first] = told_.try_emplace({static_cast<int>(id), key}, Told{findings.size(), 0});
  if (!first) {
    ++told->second.otherGlyphs;
    return;
  }
  findings.push_back(warning.kind == GlyphWarningKind::kRunSpent ? FontFinding(id, WarningText(warning))
                                                                 : RecordFinding(id, glyph.code, WarningText(warning)));
}

void GlyphChecker::Check(const Glyph& glyph, std::vector<Finding>& findings) {
  for (const GlyphWarning& warning : glyph.warnings) Warning(glyph, warning, findings);
  auto at = [&](FindingId id, std::string text) { findings.push_back(RecordFinding(id, glyph.code, std::move(text))); };
  if (facts_.hasHeader && facts_.height > 0) {
    Box reach = GlyphBox(glyph);
    double height = facts_.height, depth = -static_cast<double>(facts_.depth);
    if (!reach.empty && reach.max.y > height + Slack(height)) {
      at(FindingId::kAboveHeight, "the glyph reaches " + Units(reach.max.y - height) + " above the font's height of " +
                                      Units(height));
    }
    if (!reach.empty && reach.min.y < depth - Slack(depth)) {
      at(FindingId::kBelowDepth, "the glyph reaches " + Units(depth - reach.min.y) + " below the font's depth of " +
                                     Units(-depth));
    }
  }
  if (glyph.advance.x < -Slack(0)) {
    at(FindingId::kNegativeAdvance, "the advance is " + Units(glyph.advance.x) + ": the next character starts to the left");
  }
  if (std::abs(glyph.advance.y) > Slack(0) && facts_.modes != 2) {
    at(FindingId::kVerticalAdvance, "the pen ends " + Units(glyph.advance.y) +
                                        " off the baseline in a font without vertical forms: the text after it moves");
  }
}

void GlyphChecker::Finish(std::vector<Finding>& findings) {
  for (const auto& [key, told] : told_) {
    if (told.otherGlyphs > 0) {
      findings[told.finding].text += " (and in " + std::to_string(told.otherGlyphs) +
                                     (told.otherGlyphs == 1 ? " other glyph)" : " other glyphs)");
    }
  }
}

}  // namespace morlune::check
