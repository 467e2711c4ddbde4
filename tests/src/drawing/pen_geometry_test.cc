// What each item draws, worked out by hand: one table of small fonts with
// their listings and warnings; then the depth of subshapes. (The bounds of
// items a character and a run may take are pen_bounds_test's.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/src/drawing/listing_support.h"
#include "tests/support/font_builder.h"

namespace morlune::testing {
namespace {

using enum FontVariant;

TEST(PenGeometry, EachItemDrawsWhatItsRuleSays) {
  const std::string kSelf = "0041: subshape 0041 is skipped: it is already being drawn\n";
  const std::vector<ListingRow> rows = {
      {"the sixteen directions, length 2",
       {Shape(0x41, "", {0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E,
                         0x2F})},
       "0041\t0,0\tM 0 0 L 2 0 L 4 1 L 6 3 L 7 5 L 7 7 L 6 9 L 4 11 L 2 12 L 0 12 L -2 11 L -4 9 L -5 7 L -5 5 "
       "L -4 3 L -2 1 L 0 0\n"},
      {"odd directions are half steps; length 0 and pen up draw nothing",
       {Shape(0x41, "", {0x11, 0x13, 0x0F, 2, 0x10, 1, 0x17})},
       "0041\t1.5,2\tM 0 0 L 1 0.5 L 1.5 1.5 M 2.5 1.5 L 1.5 2\n"},
      {"scale up and down; a scale by 0 is ignored",
       {Shape(0x41, "", {4, 3, 0x10, 3, 2, 0x14, 3, 4, 3, 0, 4, 0, 0x10})},
       "0041\t3.375,1.5\tM 0 0 L 3 0 L 3 1.5 L 3.375 1.5\n", "0041: a scale by 0 is ignored (2 times)\n"},
      {"push, pop back drawing, an empty pop and a fifth push ignored",
       {Shape(0x41, "", {2, 8, 1, 1, 5, 1, 0x20, 6, 0x14, 6, 5, 5, 5, 5, 5, 0x10})},
       "0041\t2,2\tM 1 1 L 3 1 L 1 1 L 1 2 L 2 2\n",
       "0041: a pop with no position pushed is ignored\n0041: a fifth push is ignored\n"},
      {"code 8 and code 9 with its closing pair",
       {Shape(0x41, "", {8, -1, 2, 9, 3, 0, 0, -2, 0, 0, 0x10})},
       "0041\t3,0\tM 0 0 L -1 2 L 2 2 L 2 0 L 3 0\n"},
      {"octant arcs: a quarter each way, three quarters, an eighth",
       {Shape(0x41, "", {10, 2, 0x02, 10, 2, 0x82, 10, 2, 0x06, 10, 2, 0x01, 10, 0, 0x04})},
       "0041\t-6.585786,-0.585786\tM 0 0 A 2 2 0 0 1 -2 2 A 2 2 0 0 0 -4 0 A 2 2 0 1 1 -6 -2 "
       "A 2 2 0 0 1 -6.585786 -0.585786\n",
       "", true},
      {"a full circle from 90 degrees at scale 2 is two half circles",
       {Shape(0x41, "", {4, 2, 10, 1, 0x20, 0x10})},
       "0041\t2,0\tM 0 0 A 2 2 0 0 1 0 -4 A 2 2 0 0 1 0 0 L 2 0\n"},
      {"fractional arcs across an octant boundary, each way; a sweep of 0 neither draws nor moves",
       {Shape(0x41, "", {11, 0, 128, 0, 10, 0x02, 11, 5, 5, 0, 9, 0x01, 0x10}),
        Shape(0x42, "", {11, 128, 0, 0, 10, 0x92})},
       "0041\t-5.173166,9.238795\tM 0 0 A 10 10 0 0 1 -6.173166 9.238795 L -5.173166 9.238795\n"
       "0042\t6.173166,-9.238795\tM 0 0 A 10 10 0 0 0 6.173166 -9.238795\n",
       "", true},
      {"a fractional arc of 270 degrees is a large arc",
       {Shape(0x41, "", {11, 0, 0, 1, 0, 0x07})},
       "0041\t-256,-256\tM 0 0 A 256 256 0 1 1 -256 -256\n"},
      {"bulges 0, 127, -127, -128 (as -127), 64, and a list of two",
       {Shape(0x41, "", {12, 4, 0, 0, 12, 4, 0, 127, 12, -4, 0, -127, 12, 4, 0, -128, 12, 4, 0, 64, 13, 0, 4, 127,
                         -4, 0, -127, 0, 0})},
       "0041\t8,4\tM 0 0 L 4 0 A 2 2 0 0 1 8 0 A 2 2 0 0 0 4 0 A 2 2 0 0 0 8 0 A 2.488312 2.488312 0 0 1 12 0 "
       "A 2 2 0 0 1 12 4 A 2 2 0 0 0 8 4\n",
       "", true},
      {"code 14 skips the next item, a list or a 0 included",
       {Shape(0x41, "", {14, 9, 1, 1, 2, 2, 0, 0, 14, 0, 0x10, 14, 8, 5, 5, 0, 0x10})},
       "0041\t1,0\tM 0 0 L 1 0\n"},
      {"a subshape by its one-byte code, its 0 ending it; a missing one; itself",
       {Shape(0x41, "", {7, 0x42, 0x14, 7, 0x43, 7, 0x41}), Shape(0x42, "", {0x10, 0, 0x10})},
       "0041\t1,1\tM 0 0 L 1 0 L 1 1\n0042\t1,0\tM 0 0 L 1 0\n",
       "0041: subshape 0043 is skipped: the font has no such shape\n" + kSelf},
      {"a unifont subshape by its two-byte code, the first of two records with it; code 0",
       {Shape(0x41, "", {7, 0x01, 0x42, 0x14, 7, 0, 0}), Shape(0x142, "", {0x10}), Shape(0x142, "", {0x20})},
       "0041\t1,1\tM 0 0 L 1 0 L 1 1\n0142\t1,0\tM 0 0 L 1 0\n0142\t2,0\tM 0 0 L 2 0\n",
       "0041: a subshape of code 0 is skipped\n", false, kUnifont10},
      {"the long form at scale 2: a frame at (2,0), 2 wide and 4 high; the caller's pen and place come back",
       {Header(), Shape(0x41, "", {4, 2, 2, 7, 0, 0, 0x42, 1, 0, 1, 2, 0x10}), Shape(0x42, "", {0x44, 3, 2, 0x10})},
       "0041\t2,0\tM 2 0 L 2 4 L 2.25 4\n0042\t0.5,4\tM 0 0 L 0 4 L 0.5 4\n"},
      {"a long form in a font whose height is 0 is skipped",
       {Shape(0, "", {0, 0, 0, 0}), Shape(0x41, "", {7, 0, 0, 0x42, 0, 0, 1, 1, 0x10}), Shape(0x42, "", {0x10})},
       "0041\t1,0\tM 0 0 L 1 0\n0042\t1,0\tM 0 0 L 1 0\n",
       "0041: the framed subshape 0042 is skipped: the font's height is 0\n"},
      {"an item cut short ends its record; the caller goes on",
       {Shape(0x41, "", {7, 0x42, 0x14}), Shape(0x42, "", {0x10, 8, 1})},
       "0041\t1,1\tM 0 0 L 1 0 L 1 1\n0042\t1,0\tM 0 0 L 1 0\n",
       "0041: an item of shape 0042 runs past the end of its record; that record ends there\n"
       "0042: an item of shape 0042 runs past the end of its record; that record ends there\n"},
      {"a list that never closes draws none of its pairs",
       {Shape(0x41, "", {0x10, 9, 1, 1, 2, 2})},
       "0041\t1,0\tM 0 0 L 1 0\n",
       "0041: an item of shape 0041 runs past the end of its record; that record ends there\n"},
      {"a scale factor above 2^31 stops the character where it stands",
       {Shape(0x41, "", {4, 255, 4, 255, 4, 255, 0x10, 4, 255, 0x10})},
       "0041\t16581375,0\tM 0 0 L 16581375 0\n",
       "0041: the scale factor leaves the bounds 2^-31 to 2^31; the character stops there\n"},
      {"a scale factor below 2^-31 stops the character",
       {Shape(0x41, "", {3, 255, 3, 255, 3, 255, 3, 255, 0x10})},
       "0041\t0,0\t\n",
       "0041: the scale factor leaves the bounds 2^-31 to 2^31; the character stops there\n"},
      {"a position past 2^31 stops the character before the move",
       {Shape(0x41, "", {4, 255, 4, 255, 4, 255, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0, 0xF0})},
       "0041\t1989765000,0\tM 0 0 L 248720625 0 L 497441250 0 L 746161875 0 L 994882500 0 L 1243603125 0 "
       "L 1492323750 0 L 1741044375 0 L 1989765000 0\n",
       "0041: a coordinate or radius passes 2^31; the character stops there\n"},
  };
  ExpectListings(rows);
}

// Eighteen records, each drawing a unit and calling the next: the call from
// depth 16 would draw at depth 17 and stops the character.
TEST(PenGeometry, SubshapesNestSixteenDeep) {
  std::vector<FontRecord> records;
  for (int code = 0x41; code < 0x41 + 18; ++code) records.push_back(Shape(code, "", {0x10, 7, code + 1}));
  DrawnListing drawn = ListFont(BuildFont(kShapes11, records));
  std::string path = "M 0 0";
  for (int x = 1; x <= 17; ++x) path += " L " + std::to_string(x) + " 0";
  EXPECT_EQ(drawn.listing.substr(0, drawn.listing.find('\n')), "0041\t17,0\t" + path);
  EXPECT_EQ(drawn.warnings.substr(0, drawn.warnings.find('\n')),
            "0041: subshapes nest deeper than 16 levels; the character stops there");
}

}  // namespace
}  // namespace morlune::testing
