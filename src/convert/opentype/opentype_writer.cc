// The glyphs outlined one at a time, then the tables around them.
#include "convert/opentype/opentype_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "convert/export/glyph_export.h"
#include "convert/opentype/big_endian.h"
#include "convert/opentype/cmap_table.h"
#include "convert/opentype/font_tables.h"
#include "convert/opentype/glyf_table.h"
#include "convert/opentype/name_table.h"
#include "convert/opentype/outline_deviation.h"
#include "convert/opentype/output_scale.h"
#include "convert/opentype/pen_outline.h"
#include "convert/opentype/quadratic_contours.h"
#include "convert/opentype/sfnt_file.h"
#include "convert/opentype/woff2_file.h"

namespace morlune::convert {
namespace {

constexpr std::size_t kMostGlyphs = 65535;
// The points the whole font may hold: past them glyphs are left empty.
constexpr long long kFontPoints = 1 << 23;
// Of the tolerance, the quadratic fit takes this share; the pen's
// straight pieces take an eighth each for arcs and caps, the whole-unit
// grid up to 0.71 units. A larger share saves a fifth of the points but
// lets the edges of thin strokes wander by whole pixels at text sizes.
constexpr double kFitShare = 0.25;
// Lines a capital and two thirds apart, as drafting text spaces them,
// unless the glyphs reach further.
constexpr double kLineCapitals = 5.0 / 3;

// A glyph of the output: a character's, the added space, or .notdef.
struct OutputGlyph {
  char32_t character = 0;
  std::optional<std::size_t> source;  // the font's glyph; none for an added one
};

double Resolved(double value, bool perCap, double capital, double fallback, double least, double most) {
  double units = perCap ? value * capital : value;
  if (!std::isfinite(units) || !(units > 0)) units = fallback;
  return std::clamp(units, least, most);
}

class GlyphOutliner {
 public:
  GlyphOutliner(const PenSettings& pen, LossReport& losses) : pen_(pen), outline_(pen), losses_(losses) {}

  PenOutline& Outline() { return outline_; }
  void Start() { outline_.StartGlyph(); }

  // The glyph drawn since Start as a glyf record, within what a glyph and
  // the font may hold.
  std::vector<std::uint8_t> Finish(GlyphBox& box, std::uint16_t& contourCount, std::uint16_t& pointCount,
                                   double& deviation) {
    std::vector<PenContour> polygons = outline_.Finish(losses_);
    std::vector<TrueTypeContour> contours;
    std::size_t points = 0;
    bool cut = false;
    for (std::size_t k = 0; k < polygons.size() && !cut;) {
      // A group whole or not at all, so that no hole is left without its outer contour.
      std::size_t end = k;
      std::vector<TrueTypeContour> group;
      std::size_t groupPoints = 0;
      for (; end < polygons.size() && polygons[end].group == polygons[k].group; ++end) {
        // Control points, like the outline's own, within what rounds to the range.
        TrueTypeContour contour = ToWholeUnits(
            FitQuadratics(polygons[end].points, pen_.tolerance * kFitShare, kFarthestCoordinate - 0.5));
        groupPoints += contour.size();
        if (!contour.empty()) group.push_back(std::move(contour));
      }
      if (points + groupPoints > kMostGlyphPoints || contours.size() + group.size() > kMostGlyphContours ||
          fontPoints_ + static_cast<long long>(points + groupPoints) > kFontPoints) {
        cut = true;
        break;
      }
      points += groupPoints;
      for (TrueTypeContour& contour : group) contours.push_back(std::move(contour));
      k = end;
    }
    if (cut && !outline_.Cut()) losses_.Add(LossKind::kStrokesCut);
    fontPoints_ += static_cast<long long>(points);
    deviation = LargestDeviation(contours, outline_.Centre(), pen_.radius);
    contourCount = static_cast<std::uint16_t>(contours.size());
    pointCount = static_cast<std::uint16_t>(points);
    return SimpleGlyphRecord(contours, box);
  }

  long long FontPoints() const { return fontPoints_; }

 private:
  PenSettings pen_;
  PenOutline outline_;
  LossReport& losses_;
  long long fontPoints_ = 0;
};

// The glyphs of the output in order: .notdef, then the characters the
// format maps, a space among them where the font has none.
std::vector<OutputGlyph> OutputGlyphs(const GlyphSource& font, LossReport& losses) {
  std::vector<OutputGlyph> glyphs{{}};
  bool space = false;
  for (std::size_t k : ByCharacter(font, losses)) {
    char32_t c = font.CodeAt(k).character;
    if (!MappableCharacter(c)) {
      losses.Add(LossKind::kCodesDropped);
      continue;
    }
    if (!space && c > U' ') {
      glyphs.push_back({U' ', std::nullopt});
      space = true;
    }
    space = space || c == U' ';
    glyphs.push_back({c, k});
  }
  if (!space) glyphs.push_back({U' ', std::nullopt});
  if (glyphs.size() > kMostGlyphs) {
    // The last characters go, the added space never: it comes early.
    losses.Add(LossKind::kCodesDropped, 0, static_cast<long long>(glyphs.size() - kMostGlyphs));
    glyphs.resize(kMostGlyphs);
  }
  return glyphs;
}

std::uint16_t Advance(double advance, double scale, LossReport& losses) {
  double units = advance * scale;
  double kept = std::isfinite(units) ? std::clamp(std::round(units), 0.0, 65535.0) : 0;
  double change = kept / scale - advance;
  if (!(std::fabs(change) <= 1e-9)) losses.Add(LossKind::kAdvancesMoved, change);
  return static_cast<std::uint16_t>(kept);
}

std::string Hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(v));
  return text;
}

}  // namespace

OpenTypeFile WriteOpenType(GlyphSource& font, const OpenTypeOptions& options, LossReport& losses) {
  OpenTypeFile file;
  double capHeight = std::isfinite(font.capHeight) && font.capHeight > 0 ? font.capHeight : 1;
  double depth = std::isfinite(font.depth) && font.depth > 0 ? font.depth : 0;
  file.scale = OutputScale(capHeight);
  double capital = capHeight * file.scale;
  file.penWidth = Resolved(options.penWidth, options.penWidthPerCap, capital, kDefaultPenShare * capital,
                           kThinnestPen, kWidestPen);
  file.tolerance = Resolved(options.tolerance, options.tolerancePerCap, capital,
                            kDefaultToleranceShare * capital, kFinestTolerance, kCoarsestTolerance);
  PenSettings pen{file.scale, file.penWidth / 2, file.tolerance};

  std::vector<OutputGlyph> glyphs = OutputGlyphs(font, losses);
  GlyphOutliner outliner(pen, losses);
  GlyfTable glyf;
  FontMeasures measures;
  measures.unitsPerEm = kUnitsPerEm;
  std::vector<CharacterToGlyph> map;
  std::vector<char32_t> characters;
  for (std::size_t id = 0; id < glyphs.size(); ++id) {
    const OutputGlyph& glyph = glyphs[id];
    outliner.Start();
    Point advance;
    if (glyph.source) {
      advance = font.DrawInto(*glyph.source, outliner.Outline(), losses);
    } else if (id == 0) {
      // An open box of a capital's height for characters the font lacks.
      PenOutline& box = outliner.Outline();
      Point corners[] = {
          {0.1 * capHeight, 0}, {0.7 * capHeight, 0}, {0.7 * capHeight, capHeight}, {0.1 * capHeight, capHeight}};
      for (int k = 0; k < 4; ++k) box.Line(corners[k], corners[(k + 1) % 4]);
      advance = {0.8 * capHeight, 0};
    } else {
      advance = {capHeight / 2, 0};
    }
    GlyphMetrics metrics;
    std::uint16_t contours = 0, points = 0;
    double deviation = 0;
    std::vector<std::uint8_t> record = outliner.Finish(metrics.box, contours, points, deviation);
    glyf.Add(record);
    // The glyphs added here are drawn to whole units: no loss of the font's.
    LossReport added;
    LossReport& advanceLosses = glyph.source ? losses : added;
    if (advance.y != 0) advanceLosses.Add(LossKind::kAdvancesMoved, advance.y);
    metrics.advance = Advance(advance.x, file.scale, advanceLosses);
    measures.glyphs.push_back(metrics);
    measures.mostPoints = std::max(measures.mostPoints, points);
    measures.mostContours = std::max(measures.mostContours, contours);
    if (deviation > file.largestDeviation) {
      file.largestDeviation = deviation;
      file.farthestCharacter = glyph.character;
    }
    if (id > 0) {
      map.push_back({glyph.character, static_cast<std::uint16_t>(id)});
      characters.push_back(glyph.character);
      if (glyph.character == U'x' && !metrics.box.empty) measures.xHeight = metrics.box.yMax;
      if (glyph.character == U'H' && !metrics.box.empty) measures.capHeight = metrics.box.yMax;
    }
  }
  file.glyphs = glyphs.size();
  file.points = outliner.FontPoints();

  GlyphBox box = FontBox(measures);
  double radius = pen.radius;
  // Whole units, not negative, within 16 bits, for any height however hostile.
  auto units = [](double v) {
    return std::isnan(v) ? std::int16_t{0} : static_cast<std::int16_t>(std::lround(std::clamp(v, 0.0, 32767.0)));
  };
  measures.ascent = std::max<std::int16_t>(box.empty ? 0 : std::max<std::int16_t>(box.yMax, 0), units(capital + radius));
  measures.descent = std::max<std::int16_t>(box.empty ? 0 : static_cast<std::int16_t>(std::max(0, -box.yMin)),
                                            units(depth * file.scale + radius));
  measures.lineGap = units(kLineCapitals * capital - measures.ascent - measures.descent);
  if (measures.capHeight == 0) measures.capHeight = units(capital + radius);
  measures.penWidth = std::max<std::int16_t>(1, units(file.penWidth));
  measures.longLoca = glyf.LongOffsets();
  measures.created = options.created;
  measures.firstCharacter = static_cast<std::uint16_t>(std::min<char32_t>(characters.front(), 0xFFFF));
  measures.lastCharacter = static_cast<std::uint16_t>(std::min<char32_t>(characters.back(), 0xFFFF));
  MarkCharacterRanges(characters, measures);

  FontNames names;
  names.family = FamilyName(options.family.empty() ? font.name : options.family);
  names.postScript = PostScriptName(names.family);
  names.version = "Version 1.000";
  // The glyphs' checksum tells fonts of one name apart.
  names.uniqueId = "1.000;" + names.postScript + ";" + Hex(TableChecksum(glyf.Glyf()));

  std::vector<SfntTable> tables;
  tables.push_back({TagOf("head"), HeadTable(measures)});
  tables.push_back({TagOf("hhea"), HheaTable(measures)});
  tables.push_back({TagOf("maxp"), MaxpTable(measures)});
  tables.push_back({TagOf("OS/2"), Os2Table(measures)});
  tables.push_back({TagOf("hmtx"), HmtxTable(measures)});
  tables.push_back({TagOf("cmap"), CmapTable(map)});
  tables.push_back({TagOf("loca"), glyf.Loca()});
  tables.push_back({TagOf("glyf"), glyf.Glyf()});
  tables.push_back({TagOf("name"), NameTable(names)});
  tables.push_back({TagOf("post"), PostTable(measures)});
  file.bytes = AssembleSfnt(std::move(tables));
  if (options.flavour == OpenTypeFlavour::kWoff2) {
    std::optional<std::vector<std::uint8_t>> packed = Woff2File(file.bytes);
    file.bytes = packed ? std::move(*packed) : std::vector<std::uint8_t>{};
  }
  return file;
}

bool OpenTypeWritable() { return true; }

}  // namespace morlune::convert
