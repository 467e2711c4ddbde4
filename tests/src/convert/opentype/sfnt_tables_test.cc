// The tables' bytes: checksums, the directory, cmap segments, glyph
// records, names and the fixed-size tables, each worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/opentype/cmap_table.h"
#include "convert/opentype/font_tables.h"
#include "convert/opentype/glyf_table.h"
#include "convert/opentype/name_table.h"
#include "convert/opentype/sfnt_file.h"
#include "sfnt_reader.h"

namespace morlune::convert {
namespace {

using testing::I16;
using testing::U16;
using testing::U32;
using Bytes = std::vector<std::uint8_t>;

TEST(TableChecksum, SumsBigEndianWordsPaddedWithZeros) {
  struct Case {
    Bytes bytes;
    std::uint32_t sum;
  };
  const Case cases[] = {
      {{}, 0},
      {{1, 2, 3, 4}, 0x01020304},
      {{1, 2, 3, 4, 5}, 0x01020304 + 0x05000000},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFE},  // carries past 32 bits are lost
      {{0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 3}, 3 + 0x300},
  };
  for (const Case& c : cases) EXPECT_EQ(TableChecksum(c.bytes), c.sum);
}

TEST(AssembleSfnt, DirectoryInTagOrderAndWholeFileSumsToTheMagic) {
  struct Case {
    std::size_t tables;
    std::uint16_t searchRange, entrySelector, rangeShift;
  };
  // searchRange: 16 times the largest power of two not above the count.
  const Case cases[] = {{1, 16, 0, 0}, {2, 32, 1, 0}, {3, 32, 1, 16}, {5, 64, 2, 16}};
  const char* tags[] = {"zzzz", "head", "cmap", "OS/2", "glyf"};
  for (const Case& c : cases) {
    std::vector<SfntTable> tables;
    for (std::size_t k = 0; k < c.tables; ++k) {
      SfntTable table;
      table.tag = static_cast<std::uint32_t>(tags[k][0]) << 24 | static_cast<std::uint32_t>(tags[k][1]) << 16 |
                  static_cast<std::uint32_t>(tags[k][2]) << 8 | static_cast<std::uint32_t>(tags[k][3]);
      table.data.assign(k == 1 ? 54 : 5 + k, static_cast<std::uint8_t>(0x11 * (k + 1)));
      tables.push_back(table);
    }
    Bytes file = AssembleSfnt(tables);
    EXPECT_EQ(U32(file, 0), 0x00010000u);
    EXPECT_EQ(U16(file, 4), c.tables);
    EXPECT_EQ(U16(file, 6), c.searchRange);
    EXPECT_EQ(U16(file, 8), c.entrySelector);
    EXPECT_EQ(U16(file, 10), c.rangeShift);
    std::vector<std::string> order;
    auto found = testing::Tables(file, &order);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << c.tables;
    for (const auto& [tag, entry] : found) {
      // head's is taken with its adjustment zeroed, before it is set.
      if (tag != "head") {
        EXPECT_EQ(entry.checksum, TableChecksum(entry.data)) << tag;
      }
      EXPECT_EQ((entry.data.data() - file.data()) % 4, 0) << tag;
    }
    if (c.tables >= 2) {
      EXPECT_EQ(TableChecksum(file), kWholeFontChecksum);
    }
  }
}

TEST(Cmap, Format4SegmentsForThePlane) {
  const CharacterToGlyph map[] = {{0x20, 1}, {0x21, 2}, {0x22, 3}, {0x41, 4}, {0x43, 5}};
  Bytes table = CmapTable(map);
  ASSERT_EQ(U16(table, 2), 1u);  // one encoding record: (3, 1)
  EXPECT_EQ(U16(table, 4), 3u);
  EXPECT_EQ(U16(table, 6), 1u);
  std::span<const std::uint8_t> f4 = std::span<const std::uint8_t>(table).subspan(U32(table, 8));
  // Three runs and the closing segment: 16 + 8 * 4 bytes.
  EXPECT_EQ(U16(f4, 0), 4u);
  EXPECT_EQ(U16(f4, 2), 48u);
  EXPECT_EQ(U16(f4, 6), 8u);   // segCountX2
  EXPECT_EQ(U16(f4, 8), 8u);   // searchRange: 2 * 4
  EXPECT_EQ(U16(f4, 10), 2u);  // entrySelector
  EXPECT_EQ(U16(f4, 12), 0u);  // rangeShift
  const std::uint32_t ends[] = {0x22, 0x41, 0x43, 0xFFFF};
  const std::uint32_t starts[] = {0x20, 0x41, 0x43, 0xFFFF};
  // glyph = character + delta, modulo 65536: 1 - 0x20, 4 - 0x41, 5 - 0x43, and 0 for U+FFFF.
  const std::uint32_t deltas[] = {0x10000 - 31, 0x10000 - 61, 0x10000 - 62, 1};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(U16(f4, 14 + 2 * k), ends[k]);
    EXPECT_EQ(U16(f4, 24 + 2 * k), starts[k]);
    EXPECT_EQ(U16(f4, 32 + 2 * k), deltas[k]);
    EXPECT_EQ(U16(f4, 40 + 2 * k), 0u);
  }
}

TEST(Cmap, Format12WhereCharactersPassThePlaneOrFormat4Overflows) {
  struct Case {
    std::vector<CharacterToGlyph> map;
    std::size_t format4Segments;  // the closing one included
    std::size_t groups;
  };
  std::vector<CharacterToGlyph> scattered;  // every other code: one segment each
  for (std::uint16_t k = 0; k < 9000; ++k) scattered.push_back({static_cast<char32_t>(0x100 + 2 * k), static_cast<std::uint16_t>(k + 1)});
  const Case cases[] = {
      {{{0x41, 1}, {0x42, 2}, {0x1F600, 3}, {0x1F601, 4}}, 2, 2},
      {{{0x10FFFD, 1}}, 1, 1},
      {scattered, kMostFormat4Segments, 9000},
  };
  for (const Case& c : cases) {
    Bytes table = CmapTable(c.map);
    ASSERT_EQ(U16(table, 2), 2u);
    EXPECT_EQ(U16(table, 4), 3u);
    EXPECT_EQ(U16(table, 6), 1u);
    EXPECT_EQ(U16(table, 12), 3u);
    EXPECT_EQ(U16(table, 14), 10u);
    std::span<const std::uint8_t> all(table);
    auto f4 = all.subspan(U32(table, 8));
    auto f12 = all.subspan(U32(table, 16));
    EXPECT_EQ(U16(f4, 6), 2 * c.format4Segments);
    EXPECT_LE(U16(f4, 2), 0xFFFFu);
    EXPECT_EQ(U16(f12, 0), 12u);
    EXPECT_EQ(U32(f12, 12), c.groups);
    EXPECT_EQ(U32(f12, 4), 16 + 12 * c.groups);
    EXPECT_EQ(U32(f12, 16), c.map.front().character);
  }
}

TEST(GlyfRecord, TriangleFlagsAndDeltasByHand) {
  std::vector<TrueTypeContour> contours = {{{0, 0, true}, {100, 0, true}, {0, 100, true}}};
  GlyphBox box;
  Bytes record = SimpleGlyphRecord(contours, box);
  // Flags: (0,0) repeats both coordinates; (100,0) a short positive x, the
  // same y; (0,100) a short negative x, a short positive y.
  const Bytes expected = {0, 1, 0, 0, 0, 0, 0, 100, 0, 100,  // one contour, box
                          0, 2, 0, 0,                        // last point 2, no instructions
                          0x31, 0x33, 0x27,                  // flags
                          100, 100,                          // x: +100, -100
                          100};                              // y: +100
  EXPECT_EQ(record, expected);
  EXPECT_FALSE(box.empty);
  EXPECT_EQ(box.xMax, 100);
}

TEST(GlyfRecord, RepeatedFlagsLongDeltasAndControlPoints) {
  // A square 1000 wide: the long steps take two bytes; four points whose
  // flags differ, then a quadratic's control point.
  std::vector<TrueTypeContour> contours = {
      {{0, 0, true}, {0, 1000, true}, {1000, 1000, true}, {1000, 0, true}},
      {{10, 10, true}, {11, 11, true}, {12, 12, true}, {13, 13, true}, {20, 5, false}}};
  GlyphBox box;
  Bytes record = SimpleGlyphRecord(contours, box);
  EXPECT_EQ(I16(record, 0), 2);
  EXPECT_EQ(U16(record, 10), 3u);
  EXPECT_EQ(U16(record, 12), 8u);
  std::size_t at = 16;
  // (0,0): x same, y same, on. (0,1000): x same, long y. (1000,1000): long x,
  // y same. (1000,0): x same, long y.
  EXPECT_EQ(record[at++], 0x31);
  EXPECT_EQ(record[at++], 0x11);
  EXPECT_EQ(record[at++], 0x21);
  EXPECT_EQ(record[at++], 0x11);
  // (10,10) from (1000,0): long x (-990), short positive y.
  EXPECT_EQ(record[at++], 0x25);
  // Three steps of (+1,+1), the same flag: written once, repeated twice more.
  EXPECT_EQ(record[at++], 0x37 | 0x08);
  EXPECT_EQ(record[at++], 2);
  // The control point (20,5): short positive x, short negative y, off-curve.
  EXPECT_EQ(record[at++], 0x16);
  EXPECT_EQ(I16(record, at), 1000);  // x of (1000,1000), the first long x
}

TEST(GlyfTable, ShortOffsetsWhileSmall) {
  GlyfTable glyf;
  Bytes twelve(12, 1), none;
  glyf.Add(twelve);
  glyf.Add(none);
  glyf.Add(Bytes(10, 2));  // padded to 12
  EXPECT_FALSE(glyf.LongOffsets());
  EXPECT_EQ(glyf.Glyf().size(), 24u);
  const Bytes loca = {0, 0, 0, 6, 0, 6, 0, 12};
  EXPECT_EQ(glyf.Loca(), loca);
}

TEST(Names, FamilyCleaned) {
  struct Case {
    std::string text;
    std::u32string family;
  };
  const Case cases[] = {
      {"Sample Lines", U"Sample Lines"},
      {"  Two   spaces  ", U"Two spaces"},
      {"Bell\x07" "Tab\tEnd", U"BellTabEnd"},
      {"Bad \xFF\xC0\x80 bytes", U"Bad \uFFFD\uFFFD\uFFFD bytes"},
      {"\xE6\x97\xA5\xE6\x9C\xAC", U"\u65E5\u672C"},
      {"", U"Untitled"},
      {std::string(70, 'a'), std::u32string(63, U'a')},
  };
  for (const Case& c : cases) EXPECT_EQ(FamilyName(c.text), c.family) << c.text;
}

TEST(Names, PostScriptName) {
  struct Case {
    std::u32string family;
    std::string name;
  };
  const Case cases[] = {
      {U"Sample Lines", "SampleLines-Regular"},
      {U"a[b](c)/d%e{f}<g>", "abcdefg-Regular"},
      {U"Caf\u00E9 Font", "CafFont-Regular"},
      {std::u32string(70, U'x'), std::string(55, 'x') + "-Regular"},  // 63 bytes in all
  };
  for (const Case& c : cases) EXPECT_EQ(PostScriptName(c.family), c.name);
  std::string hashed = PostScriptName(U"\u65E5\u672C");
  EXPECT_EQ(hashed.size(), std::string("Font01234567-Regular").size());
  EXPECT_EQ(hashed.substr(0, 4), "Font");
  EXPECT_NE(hashed, PostScriptName(U"\u65E5"));
}

TEST(Names, Utf16RecordsOnTheWindowsPlatform) {
  Bytes table = NameTable({U"A\U0001F600", "A-Regular", "id", "Version 1.000"});
  // Six records from offset 6, 12 bytes each, ids 1 to 6; the first, the
  // family: platform 3, encoding 1, US English; "A" and a surrogate pair.
  const std::uint32_t family[] = {3, 1, 0x409, 1, 6};
  for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(U16(table, 6 + 2 * k), family[k]);
  for (std::size_t k = 1; k < 6; ++k) EXPECT_EQ(U16(table, 12 + 12 * k), k + 1);
  std::size_t at = U16(table, 4) + U16(table, 16);
  EXPECT_EQ(U16(table, at), 0x41u);
  EXPECT_EQ(U16(table, at + 2), 0xD83Du);
  EXPECT_EQ(U16(table, at + 4), 0xDE00u);
}

TEST(FontTables, FixedSizesBoxesAndBearings) {
  FontMeasures m;
  m.glyphs = {{500, {0, 0, 400, 700, false}}, {600, {}}, {600, {-10, -20, 550, 710, false}}, {600, {}}};
  const std::pair<Bytes, std::size_t> sizes[] = {{HeadTable(m), 54}, {HheaTable(m), 36}, {MaxpTable(m), 32},
                                                 {Os2Table(m), 96},  {PostTable(m), 32},
                                                 {HmtxTable(m), 2 * 4 + 2 * 2}};  // two full metrics, two bearings
  for (const auto& [bytes, size] : sizes) EXPECT_EQ(bytes.size(), size);
  EXPECT_EQ(HorizontalMetricsCount(m), 2u);  // the last three share an advance
  Bytes head = HeadTable(m);
  const std::int32_t box[] = {-10, -20, 550, 710};  // about every glyph's
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(I16(head, 36 + 2 * k), box[k]);
  Bytes hhea = HheaTable(m);
  EXPECT_EQ(U16(hhea, 10), 600u);  // widest advance
  EXPECT_EQ(I16(hhea, 12), -10);   // least left bearing
  EXPECT_EQ(I16(hhea, 14), 50);    // least right bearing: 600 - 550 (empty glyphs have none)
  EXPECT_EQ(I16(hhea, 16), 550);   // farthest right
  EXPECT_EQ(I16(Os2Table(m), 2), 575);  // the average advance: (500 + 3 * 600) / 4
}

}  // namespace
}  // namespace morlune::convert
