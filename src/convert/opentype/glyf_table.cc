// Simple glyph records and the glyph location table.
#include "convert/opentype/glyf_table.h"

#include <algorithm>
#include <cstdlib>

#include "convert/opentype/big_endian.h"

namespace morlune::convert {
namespace {

constexpr std::uint8_t kOnCurve = 0x01;
constexpr std::uint8_t kXShort = 0x02;
constexpr std::uint8_t kYShort = 0x04;
constexpr std::uint8_t kRepeat = 0x08;
// With a short delta: the delta is positive. Without: the delta is zero.
constexpr std::uint8_t kXSameOrPositive = 0x10;
constexpr std::uint8_t kYSameOrPositive = 0x20;

// The flag bits for one axis's delta, and the bytes it takes.
std::uint8_t AxisFlags(std::int32_t delta, std::uint8_t shortBit, std::uint8_t sameBit, BigEndianBytes& out) {
  if (delta == 0) return sameBit;
  if (std::abs(delta) <= 255) {
    out.U8(static_cast<std::uint8_t>(std::abs(delta)));
    return static_cast<std::uint8_t>(shortBit | (delta > 0 ? sameBit : 0));
  }
  out.I16(static_cast<std::int16_t>(delta));
  return 0;
}

}  // namespace

std::vector<std::uint8_t> SimpleGlyphRecord(std::span<const TrueTypeContour> contours, GlyphBox& box) {
  box = {};
  std::size_t points = 0;
  for (const TrueTypeContour& contour : contours) points += contour.size();
  if (points == 0) return {};
  box.empty = false;
  box.xMin = box.yMin = INT16_MAX;
  box.xMax = box.yMax = INT16_MIN;
  for (const TrueTypeContour& contour : contours) {
    for (const OutlinePoint& p : contour) {
      box.xMin = std::min<std::int16_t>(box.xMin, static_cast<std::int16_t>(p.x));
      box.yMin = std::min<std::int16_t>(box.yMin, static_cast<std::int16_t>(p.y));
      box.xMax = std::max<std::int16_t>(box.xMax, static_cast<std::int16_t>(p.x));
      box.yMax = std::max<std::int16_t>(box.yMax, static_cast<std::int16_t>(p.y));
    }
  }
  BigEndianBytes record;
  std::size_t contourCount = 0;
  for (const TrueTypeContour& contour : contours) contourCount += contour.empty() ? 0 : 1;
  record.I16(static_cast<std::int16_t>(contourCount));
  record.I16(box.xMin);
  record.I16(box.yMin);
  record.I16(box.xMax);
  record.I16(box.yMax);
  std::size_t last = 0;
  for (const TrueTypeContour& contour : contours) {
    if (contour.empty()) continue;
    last += contour.size();
    record.U16(static_cast<std::uint16_t>(last - 1));
  }
  record.U16(0);  // no instructions

  std::vector<std::uint8_t> flags;
  BigEndianBytes xs, ys;
  std::int32_t x = 0, y = 0;
  for (const TrueTypeContour& contour : contours) {
    for (const OutlinePoint& p : contour) {
      std::uint8_t flag = p.onCurve ? kOnCurve : 0;
      flag |= AxisFlags(p.x - x, kXShort, kXSameOrPositive, xs);
      flag |= AxisFlags(p.y - y, kYShort, kYSameOrPositive, ys);
      x = p.x;
      y = p.y;
      flags.push_back(flag);
    }
  }
  // A flag that repeats is written once with how many more times it comes.
  for (std::size_t k = 0; k < flags.size();) {
    std::size_t run = 1;
    while (k + run < flags.size() && flags[k + run] == flags[k] && run < 256) ++run;
    if (run >= 3) {
      record.U8(flags[k] | kRepeat);
      record.U8(static_cast<std::uint8_t>(run - 1));
    } else {
      for (std::size_t r = 0; r < run; ++r) record.U8(flags[k]);
    }
    k += run;
  }
  record.Bytes(xs.Data());
  record.Bytes(ys.Data());
  return record.Take();
}

void GlyfTable::Add(std::span<const std::uint8_t> record) {
  glyf_.insert(glyf_.end(), record.begin(), record.end());
  // Records begin on 4-byte boundaries, which either offset size can name.
  while (glyf_.size() % 4 != 0) glyf_.push_back(0);
  offsets_.push_back(static_cast<std::uint32_t>(glyf_.size()));
}

std::vector<std::uint8_t> GlyfTable::Loca() const {
  BigEndianBytes loca;
  bool longOffsets = LongOffsets();
  for (std::uint32_t offset : offsets_) {
    if (longOffsets) {
      loca.U32(offset);
    } else {
      loca.U16(static_cast<std::uint16_t>(offset / 2));
    }
  }
  return loca.Take();
}

}  // namespace morlune::convert
