// A glyph's geometry against the font-header record, and the drawing's
// warnings as findings.
#include "check/glyph_checks.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "drawing/glyph_bounds.h"
#include "drawing/number_text.h"
#include "platform/hex_code.h"

namespace morlune::check {
namespace {

// Arcs are drawn in floating point: a point a hair past a bound is on it.
double Slack(double bound) { return 1e-6 * std::max(1.0, std::abs(bound)); }

// The font's height and depth together: what its glyphs span by design.
double BodyOf(const FontFacts& facts) {
  return static_cast<double>(facts.height) + std::max(0.0, static_cast<double>(facts.depth));
}

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
  // The run's budget is the font's, told once without a code. A bound that
  // stops glyphs is told once for the font too, at the first record it
  // stops: a long chain of subshapes passes it at a record of its own for
  // every glyph.
  bool fontWide = warning.kind == GlyphWarningKind::kRunSpent || warning.kind == GlyphWarningKind::kTooDeep ||
                  warning.kind == GlyphWarningKind::kTooManyItems || warning.kind == GlyphWarningKind::kScaleBound ||
                  warning.kind == GlyphWarningKind::kPositionBound;
  std::uint32_t key = fontWide ? 0 : warning.code;
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
    // The height is the capitals'; brackets, ascenders and accents rise
    // above it, descenders and marks below the depth, by design. A glyph
    // that passes either by more than the whole body of the font is another
    // matter: real fonts stay within four fifths of it.
    double body = BodyOf(facts_);
    if (!reach.empty && reach.max.y > height + Slack(height)) {
      (reach.max.y - height > body + Slack(body) ? farAbove_ : above_).Add(reach.max.y - height, glyph.code);
    }
    if (!reach.empty && reach.min.y < depth - Slack(depth)) {
      (depth - reach.min.y > body + Slack(body) ? farBelow_ : below_).Add(depth - reach.min.y, glyph.code);
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

void GlyphChecker::Reach::Add(double amount, std::uint32_t glyph) {
  ++glyphs;
  if (glyphs == 1 || amount > farthest) {
    farthest = amount;
    code = glyph;
  }
}

void GlyphChecker::TellReach(FindingId id, const Reach& reach, const std::string& words,
                             std::vector<Finding>& findings) const {
  if (reach.glyphs == 0) return;
  std::string text = "the glyph reaches " + Units(reach.farthest) + words;
  if (reach.glyphs > 1) text += " (the farthest of " + std::to_string(reach.glyphs) + " glyphs that do)";
  findings.push_back(RecordFinding(id, reach.code, std::move(text)));
}

void GlyphChecker::Finish(std::vector<Finding>& findings) {
  double height = facts_.height, depth = facts_.depth, body = BodyOf(facts_);
  TellReach(FindingId::kAboveHeight, above_, " above the font's height of " + Units(height), findings);
  TellReach(FindingId::kBelowDepth, below_, " below the font's depth of " + Units(depth), findings);
  std::string past = ", more than the font's body (height and depth) of " + Units(body);
  TellReach(FindingId::kFarAboveHeight, farAbove_, " above the font's height of " + Units(height) + past, findings);
  TellReach(FindingId::kFarBelowDepth, farBelow_, " below the font's depth of " + Units(depth) + past, findings);
  for (const auto& [key, told] : told_) {
    if (told.otherGlyphs > 0) {
      findings[told.finding].text += " (and in " + std::to_string(told.otherGlyphs) +
                                     (told.otherGlyphs == 1 ? " other glyph)" : " other glyphs)");
    }
  }
}

}  // namespace morlune::check
