// head, hhea, hmtx, maxp, OS/2 (version 4) and post (version 3).
#include "convert/opentype/font_tables.h"

#include <algorithm>
#include <cmath>

#include "convert/opentype/big_endian.h"

namespace morlune::convert {
namespace {

// Seconds from 1904, where sfnt dates count from, to 1970.
constexpr std::int64_t kSecondsTo1970 = 2082844800;

struct UnicodeRange {
  char32_t first;
  char32_t last;
  int bit;
};
// The blocks a stroke font is likely to cover; others leave their bits clear.
constexpr UnicodeRange kUnicodeRanges[] = {
    {0x0000, 0x007F, 0},  {0x0080, 0x00FF, 1},  {0x0100, 0x017F, 2},  {0x0180, 0x024F, 3},
    {0x0370, 0x03FF, 7},  {0x0400, 0x052F, 9},  {0x0530, 0x058F, 10}, {0x0590, 0x05FF, 11},
    {0x0600, 0x06FF, 13}, {0x1E00, 0x1EFF, 29}, {0x2000, 0x206F, 31}, {0x2070, 0x209F, 32},
    {0x20A0, 0x20CF, 33}, {0x2100, 0x214F, 35}, {0x2150, 0x218F, 36}, {0x2190, 0x21FF, 37},
    {0x2200, 0x22FF, 38}, {0x2300, 0x23FF, 39}, {0x2500, 0x257F, 43}, {0x25A0, 0x25FF, 45},
    {0x2600, 0x26FF, 46}, {0x3000, 0x303F, 48}, {0x3040, 0x309F, 49}, {0x30A0, 0x30FF, 50},
    {0x4E00, 0x9FFF, 59}, {0xAC00, 0xD7AF, 56}, {0xE000, 0xF8FF, 60},
};
constexpr int kBeyondPlaneBit = 57;
constexpr std::uint32_t kLatin1CodePage = 1;

// The nearest whole unit a 16-bit field holds.
std::int16_t Units(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<std::int16_t>(std::lround(std::clamp(v, -32768.0, 32767.0)));
}

}  // namespace

void MarkCharacterRanges(std::span<const char32_t> characters, FontMeasures& measures) {
  auto mark = [&](int bit) { measures.unicodeRanges[static_cast<std::size_t>(bit / 32)] |= 1u << (bit % 32); };
  for (char32_t c : characters) {
    if (c > 0xFFFF) {
      mark(kBeyondPlaneBit);
      continue;
    }
    for (const UnicodeRange& range : kUnicodeRanges) {
      if (c >= range.first && c <= range.last) mark(range.bit);
    }
    if (c >= 0x20 && c <= 0x7E) measures.codePages |= kLatin1CodePage;
  }
}

GlyphBox FontBox(const FontMeasures& measures) {
  GlyphBox all;
  for (const GlyphMetrics& glyph : measures.glyphs) {
    if (glyph.box.empty) continue;
    if (all.empty) {
      all = glyph.box;
      continue;
    }
    all.xMin = std::min(all.xMin, glyph.box.xMin);
    all.yMin = std::min(all.yMin, glyph.box.yMin);
    all.xMax = std::max(all.xMax, glyph.box.xMax);
    all.yMax = std::max(all.yMax, glyph.box.yMax);
  }
  return all;
}

std::vector<std::uint8_t> HeadTable(const FontMeasures& measures) {
  GlyphBox box = FontBox(measures);
  BigEndianBytes head;
  head.U16(1);
  head.U16(0);
  head.U32(0x00010000);  // font revision 1.0
  head.U32(0);           // checkSumAdjustment, set once the file is whole
  head.U32(0x5F0F3CF5);
  // Baseline at y = 0; sizes in whole pixels, as an unhinted font has it.
  head.U16(0x0001 | 0x0008);
  head.U16(measures.unitsPerEm);
  head.I64(measures.created + kSecondsTo1970);
  head.I64(measures.created + kSecondsTo1970);
  head.I16(box.xMin);
  head.I16(box.yMin);
  head.I16(box.xMax);
  head.I16(box.yMax);
  head.U16(0);   // macStyle: regular
  head.U16(8);   // smallest readable size in pixels
  head.I16(2);   // direction hint: left to right, with neutrals
  head.I16(measures.longLoca ? 1 : 0);
  head.I16(0);
  return head.Take();
}

std::uint16_t HorizontalMetricsCount(const FontMeasures& measures) {
  std::size_t count = measures.glyphs.size();
  while (count > 1 && measures.glyphs[count - 2].advance == measures.glyphs[count - 1].advance) --count;
  return static_cast<std::uint16_t>(count);
}

std::vector<std::uint8_t> HheaTable(const FontMeasures& measures) {
  std::uint16_t widest = 0;
  std::int16_t leastLeft = 0, leastRight = 0, farthest = 0;
  bool inked = false;
  for (const GlyphMetrics& glyph : measures.glyphs) {
    widest = std::max(widest, glyph.advance);
    if (glyph.box.empty) continue;
    std::int16_t right = Units(static_cast<double>(glyph.advance) - glyph.box.xMax);
    leastLeft = inked ? std::min(leastLeft, glyph.box.xMin) : glyph.box.xMin;
    leastRight = inked ? std::min(leastRight, right) : right;
    farthest = inked ? std::max(farthest, glyph.box.xMax) : glyph.box.xMax;
    inked = true;
  }
  BigEndianBytes hhea;
  hhea.U16(1);
  hhea.U16(0);
  hhea.I16(measures.ascent);
  hhea.I16(static_cast<std::int16_t>(-measures.descent));
  hhea.I16(measures.lineGap);
  hhea.U16(widest);
  hhea.I16(leastLeft);
  hhea.I16(leastRight);
  hhea.I16(farthest);
  hhea.I16(1);  // caret upright
  hhea.I16(0);
  hhea.I16(0);
  for (int k = 0; k < 4; ++k) hhea.I16(0);
  hhea.I16(0);
  hhea.U16(HorizontalMetricsCount(measures));
  return hhea.Take();
}

std::vector<std::uint8_t> HmtxTable(const FontMeasures& measures) {
  std::uint16_t full = HorizontalMetricsCount(measures);
  BigEndianBytes hmtx;
  for (std::size_t k = 0; k < measures.glyphs.size(); ++k) {
    const GlyphMetrics& glyph = measures.glyphs[k];
    if (k < full) hmtx.U16(glyph.advance);
    hmtx.I16(glyph.box.empty ? 0 : glyph.box.xMin);
  }
  return hmtx.Take();
}

std::vector<std::uint8_t> MaxpTable(const FontMeasures& measures) {
  BigEndianBytes maxp;
  maxp.U32(0x00010000);
  maxp.U16(static_cast<std::uint16_t>(measures.glyphs.size()));
  maxp.U16(measures.mostPoints);
  maxp.U16(measures.mostContours);
  maxp.U16(0);  // no composite glyphs
  maxp.U16(0);
  maxp.U16(2);  // zones: the glyph's and the twilight zone, which no instruction uses
  for (int k = 0; k < 8; ++k) maxp.U16(0);  // no instructions, storage or components
  return maxp.Take();
}

std::vector<std::uint8_t> Os2Table(const FontMeasures& measures) {
  double em = measures.unitsPerEm;
  long long sum = 0, counted = 0;
  for (const GlyphMetrics& glyph : measures.glyphs) {
    if (glyph.advance == 0) continue;
    sum += glyph.advance;
    ++counted;
  }
  BigEndianBytes os2;
  os2.U16(4);
  os2.I16(Units(counted > 0 ? static_cast<double>(sum) / static_cast<double>(counted) : 0));
  os2.U16(400);  // regular weight
  os2.U16(5);    // normal width
  os2.U16(0);    // installable
  // Sub- and superscripts at two thirds of the size.
  os2.I16(Units(0.65 * em));
  os2.I16(Units(0.6 * em));
  os2.I16(0);
  os2.I16(Units(0.075 * em));
  os2.I16(Units(0.65 * em));
  os2.I16(Units(0.6 * em));
  os2.I16(0);
  os2.I16(Units(0.35 * em));
  os2.I16(measures.penWidth);
  os2.I16(Units(measures.capHeight / 2.0 + measures.penWidth / 2.0));
  os2.I16(0);  // no family class
  for (int k = 0; k < 10; ++k) os2.U8(0);  // PANOSE: any
  for (std::uint32_t bits : measures.unicodeRanges) os2.U32(bits);
  os2.U32(TagOf("NONE"));  // no vendor
  os2.U16(0x0040 | 0x0080);  // regular; the typographic metrics are the line's
  os2.U16(measures.firstCharacter);
  os2.U16(measures.lastCharacter);
  os2.I16(measures.ascent);
  os2.I16(static_cast<std::int16_t>(-measures.descent));
  os2.I16(measures.lineGap);
  os2.U16(static_cast<std::uint16_t>(measures.ascent));
  os2.U16(static_cast<std::uint16_t>(measures.descent));
  os2.U32(measures.codePages);
  os2.U32(0);
  os2.I16(measures.xHeight);
  os2.I16(measures.capHeight);
  os2.U16(0);     // default character: .notdef
  os2.U16(0x20);  // break character: space
  os2.U16(0);     // no lookups reach past one glyph
  return os2.Take();
}

std::vector<std::uint8_t> PostTable(const FontMeasures& measures) {
  BigEndianBytes post;
  post.U32(0x00030000);  // no glyph names
  post.U32(0);           // upright
  post.I16(static_cast<std::int16_t>(-std::max<int>(measures.penWidth, measures.descent / 2)));
  post.I16(measures.penWidth);
  bool fixed = !measures.glyphs.empty() &&
               std::all_of(measures.glyphs.begin(), measures.glyphs.end(),
                           [&](const GlyphMetrics& g) { return g.advance == measures.glyphs.front().advance; });
  post.U32(fixed ? 1 : 0);
  for (int k = 0; k < 4; ++k) post.U32(0);
  return post.Take();
}

}  // namespace morlune::convert
