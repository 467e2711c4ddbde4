// The bounds of a character at their edges, worked out by hand: every point
// an item writes (a frame's corner included) against 2^31, the items of a
// list that code 14 skips, and arcs drawn with the pen up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/src/drawing/listing_support.h"
#include "tests/support/font_builder.h"

namespace morlune::testing {
namespace {

using enum FontVariant;

const std::string kPastBound = "0041: a coordinate or radius passes 2^31; the character stops there\n";
const std::string kTooManyItems = "0041: the character has more than 100000 items; it stops there\n";

// Items that set the scale to 2^24 and 2^28, followed by more.
std::vector<int> Scaled(int exponent, std::initializer_list<int> then) {
  std::vector<int> data = {4, 128, 4, 128, 4, 128};
  data.insert(data.end(), {4, exponent == 24 ? 8 : 128});
  data.insert(data.end(), then);
  return data;
}

// At scale 2^28 a long form of x = 9 puts its corner at 9 * 2^28, past
// 2^31; a frame 4 wide in a font 4 high makes one unit of the framed record
// 2^28 units of the character, so one unit back to the left lands on 2^31
// exactly.
TEST(PenBounds, EveryPointAnItemWritesIsWithinTwoToThe31) {
  const std::string kBackOneUnit = "0042\t-1,0\tM 0 0 L -1 0\n";
  const std::vector<ListingRow> rows = {
      {"a frame's corner past 2^31: the line drawn from it stops the character",
       {Header(), Shape(0x41, "", Scaled(28, {7, 0, 0, 0x42, 9, 0, 4, 4})), Shape(0x42, "", {0x18})},
       "0041\t0,0\t\n" + kBackOneUnit, kPastBound},
      {"a corner at 2^31 exactly passes",
       {Header(), Shape(0x41, "", Scaled(28, {7, 0, 0, 0x42, 8, 0, 4, 4})), Shape(0x42, "", {0x18})},
       "0041\t0,0\tM 2147483648 0 L 1879048192 0\n" + kBackOneUnit},
      {"from a corner past 2^31 the pen moves up back inside, then draws",
       {Header(), Shape(0x41, "", Scaled(28, {7, 0, 0, 0x42, 9, 0, 4, 4})), Shape(0x42, "", {2, 0x18, 1, 0x18})},
       "0041\t0,0\tM 2147483648 0 L 1879048192 0\n0042\t-2,0\tM -1 0 L -2 0\n"},
      {"a bulge from a corner past 2^31 that ends inside stops the character",
       {Header(), Shape(0x41, "", Scaled(28, {7, 0, 0, 0x42, 9, 0, 4, 4})), Shape(0x42, "", {12, -4, 0, 127})},
       "0041\t0,0\t\n0042\t-4,0\tM 0 0 A 2 2 0 0 1 -4 0\n", kPastBound},
      {"a quarter arc from a corner below -2^31 that ends at -2^31 stops the character",
       {Header(), Shape(0x41, "", Scaled(28, {7, 0, 0, 0x42, 0, -9, 4, 4})), Shape(0x42, "", {10, 1, 0x62})},
       "0041\t0,0\t\n0042\t1,1\tM 0 0 A 1 1 0 0 1 1 1\n", kPastBound},
      {"pen up: a full circle of radius 255 * 2^24 writes nothing and ends where it began",
       {Shape(0x41, "", Scaled(24, {2, 10, 255, 0x00, 1, 0x10}))}, "0041\t16777216,0\tM 0 0 L 16777216 0\n"},
      {"pen down: the same circle's radius passes 2^31",
       {Shape(0x41, "", Scaled(24, {10, 255, 0x00, 0x10}))}, "0041\t0,0\t\n", kPastBound},
      {"pen up: a bulge of q = 1 over a chord of 127 * 2^24 (radius 127^2 * 2^22) moves to its end",
       {Shape(0x41, "", Scaled(24, {2, 12, 127, 0, 1, 1, 0x18}))}, "0041\t2113929216,0\tM 2130706432 0 L 2113929216 0\n"},
      {"pen down: the same bulge's radius passes 2^31",
       {Shape(0x41, "", Scaled(24, {12, 127, 0, 1, 0x18}))}, "0041\t0,0\t\n", kPastBound},
      {"pen up: a quarter arc that ends past 2^31 stops the character",
       {Shape(0x41, "", Scaled(24, {2, 10, 129, 0x02, 1, 0x10}))}, "0041\t0,0\t\n", kPastBound},
      {"a quarter arc of radius 2^31 ends on (-2^31, 2^31) exactly and passes",
       {Shape(0x41, "", Scaled(24, {10, 128, 0x02, 0x1C}))},
       "0041\t-2147483648,2130706432\tM 0 0 A 2147483648 2147483648 0 0 1 -2147483648 2147483648 "
       "L -2147483648 2130706432\n"},
  };
  ExpectListings(rows);
}

// Record 0042 is a code 14 and the list it skips; 0041 calls it ten times,
// then takes nine empty vectors and a unit move. Each call counts the code
// 7, the 14, the list's code and each of its pairs or entries: with 9,996
// of them the unit move is the 100,000th item and is drawn, with 9,997 the
// first empty vector is the 100,001st.
TEST(PenBounds, AListThatCodeFourteenSkipsCountsEachPairOrEntry) {
  struct ListRow {
    const char* what;
    int code;
    std::vector<int> element;
    int elements;
    bool drawn;
  };
  const std::vector<ListRow> rows = {
      {"pairs, the unit move the 100,000th item", 9, {1, 1}, 9996, true},
      {"pairs, an empty vector the 100,001st item", 9, {1, 1}, 9997, false},
      {"entries, the unit move the 100,000th item", 13, {1, 1, 0}, 9996, true},
      {"entries, an empty vector the 100,001st item", 13, {1, 1, 0}, 9997, false},
  };
  for (const ListRow& row : rows) {
    std::vector<int> skipped = {14, row.code};
    for (int i = 0; i < row.elements; ++i) skipped.insert(skipped.end(), row.element.begin(), row.element.end());
    skipped.insert(skipped.end(), {0, 0});
    std::vector<int> caller;
    for (int call = 0; call < 10; ++call) caller.insert(caller.end(), {7, 0x42});
    caller.insert(caller.end(), 9, 0x0F);
    caller.push_back(0x10);
    DrawnListing drawn = ListFont(BuildFont(kShapes11, {Shape(0x41, "", caller), Shape(0x42, "", skipped)}));
    EXPECT_EQ(drawn.listing, std::string(row.drawn ? "0041\t1,0\tM 0 0 L 1 0\n" : "0041\t0,0\t\n") + "0042\t0,0\t\n")
        << row.what;
    EXPECT_EQ(drawn.warnings, row.drawn ? "" : kTooManyItems) << row.what;
  }
}

// The run's bound counts skipped pairs too. The font is some 20 kB, so the
// run may take 1,000,000 items. Record 0020 skips a list of 9,996 pairs
// (9,998 items); each character after it calls it ten times, then moves a
// unit (99,991 items). Nine characters bring the run to 909,917; the tenth
// has 90,083 left: nine calls take 89,991, the tenth call's 7, 14 and list
// code three more, and its 90th pair is the run's 1,000,001st.
TEST(PenBounds, SkippedPairsCountTowardsTheRun) {
  std::vector<int> skipped = {14, 9};
  skipped.insert(skipped.end(), 2 * 9996, 1);
  skipped.insert(skipped.end(), {0, 0});
  std::vector<FontRecord> records = {Shape(0x20, "", skipped)};
  std::vector<int> caller;
  for (int call = 0; call < 10; ++call) caller.insert(caller.end(), {7, 0x20});
  caller.push_back(0x10);
  for (int code = 0x41; code <= 0x4B; ++code) records.push_back(Shape(code, "", caller));
  DrawnListing drawn = ListFont(BuildFont(kShapes11, records));
  std::string expected = "0020\t0,0\t\n";
  for (const char* code : {"0041", "0042", "0043", "0044", "0045", "0046", "0047", "0048", "0049"}) {
    expected += std::string(code) + "\t1,0\tM 0 0 L 1 0\n";
  }
  EXPECT_EQ(drawn.listing, expected + "004A\t0,0\t\n004B\t0,0\t\n");
  EXPECT_EQ(drawn.warnings,
            "004A: the run has taken the 1000000 items that a file of this size allows; this character stops there "
            "and the characters after it are left empty\n");
}

// A frame mirrors its record where exactly one of w, h is negative; a size
// of 0 collapses an axis without turning it. Record 0043 is a half circle
// counterclockwise over a chord (4, 0) or (0, 4), centre on the chord,
// radius 2. Nested frames mirror once for each frame that mirrors.
TEST(PenBounds, AFrameMirrorsWhereExactlyOneOfWAndHIsNegative) {
  const std::string kAcross = "0043\t4,0\tM 0 0 A 2 2 0 0 1 4 0\n";
  const std::string kUp = "0043\t0,4\tM 0 0 A 2 2 0 0 1 0 4\n";
  const std::vector<ListingRow> rows = {
      {"w = 0, h < 0 mirrors",
       {Header(), Shape(0x41, "", {7, 0, 0, 0x43, 0, 0, 0, -4}), Shape(0x43, "", {12, 0, 4, 127})},
       "0041\t0,0\tM 0 0 A 0 2 0 0 0 0 -4\n" + kUp},
      {"w < 0, h = 0 mirrors",
       {Header(), Shape(0x41, "", {7, 0, 0, 0x43, 0, 0, -4, 0}), Shape(0x43, "", {12, 4, 0, 127})},
       "0041\t0,0\tM 0 0 A 2 0 0 0 0 -4 0\n" + kAcross},
      {"w = 0, h > 0 does not",
       {Header(), Shape(0x41, "", {7, 0, 0, 0x43, 0, 0, 0, 4}), Shape(0x43, "", {12, 0, 4, 127})},
       "0041\t0,0\tM 0 0 A 0 2 0 0 1 0 4\n" + kUp},
      {"w < 0, h < 0 does not",
       {Header(), Shape(0x41, "", {7, 0, 0, 0x43, 0, 0, -4, -4}), Shape(0x43, "", {12, 4, 0, 127})},
       "0041\t0,0\tM 0 0 A 2 2 0 0 1 -4 0\n" + kAcross},
      {"a frame of w = 0 inside a mirroring frame stays mirrored",
       {Header(), Shape(0x41, "", {7, 0, 0, 0x44, 0, 0, -4, 4}), Shape(0x43, "", {12, 0, 4, 127}),
        Shape(0x44, "", {7, 0, 0, 0x43, 0, 0, 0, 4})},
       "0041\t0,0\tM 0 0 A 0 2 0 0 0 0 4\n" + kUp + "0044\t0,0\tM 0 0 A 0 2 0 0 1 0 4\n"},
  };
  ExpectListings(rows);
}

}  // namespace
}  // namespace morlune::testing
