// The four golden fonts and the runs made of each. The records are drawn like a plotter font's (pen up 2,
// pen down 1, moves 8, vector bytes from 0x10 up), and between them they use every code from 0 to 14.
#include "tests/e2e/golden_cases.h"

#include "tests/support/font_builder.h"

namespace morlune::testing {

// Shapes 1.0: index order is not code order; a font-header name long enough to be wrapped onto its own
// line; a code 9 list cut off by the counter; a shape header split between its two pieces; names holding
// "%" and 0xE9; the last shape ends without a 0 code.
std::string GoldenShapes10Font() {
  return BuildFont(FontVariant::kShapes10, {
      Shape(0, "Plotter strokes, shapes 1.0 sample: digits, signs and one E.", {10, -2, 2, 0x55}),
      Shape(0x39, "nine", {2, 8, 4, 6, 1, 9, -2, 0, -1, -1, 0, -2}),
      Shape(0x38, "", {2, 8, 3, 9, 1, 13, 3, -3, 100, -3, -3, -100, 3, 3, -100, -3, 3, 100, 0, 0, 2, 8, 6, -3, 0}),
      Shape(0x37, "seven 100%", {3, 4, 2, 8, 0, 9, 1, 0x60, 0xFA, 4, 4, 0}),
      Shape(0x36, "six\xE9", {2, 8, 5, 8, 1, 11, 20, 40, 0, 4, 0x34, 10, 2, 0x80, 0}),
      Shape(0x2B, "plus sign: two strokes that cross at the middle of the cell.",
            {2, 8, 0, 3, 1, 0x60, 2, 8, -3, 3, 1, 0x6C, 2, 8, 6, -3, 0}),
      Shape(0x2F, "", {5, 1, 0x63, 6, 2, 0x60, 0}),
      Shape(0xC9, "", {7, 0x45, 2, 8, -4, 12, 1, 0x22, 0}),
      Shape(0x45, "", {2, 8, 5, 0, 1, 0x58, 0x9C, 0x50, 2, 8, -5, 5, 1, 0x40, 2, 8, 4, -4, 0}),
      Shape(0x21, "", {2, 8, 1, 9, 1, 0x5C, 2, 0x2C, 1, 0x1C, 0}),
      Shape(0x2041, "", {2, 0x10, 0}),
      Shape(0x2A, "", {1, 0x44, 0x4C}),
  });
}

// Shapes 1.1: digits and letters with arcs (codes 10 to 13), subshapes in both forms of code 7, a line of
// vectors long enough to wrap, a closing 0 pushed onto a line of its own, and a shape without a closing 0
// whose successor's header continues its line.
std::string GoldenShapes11Font() {
  return BuildFont(FontVariant::kShapes11, {
      Shape(0, "STROKES", {21, 7, 0, 0}),
      Shape(0x0A, "", {2, 8, 0, -10, 14, 8, -9, -10, 0}),
      Shape(0x20, "", {2, 0xA0, 0}),
      Shape(0x30, "", {2, 8, 1, 2, 1, 12, 0, 6, 127, 12, 0, -6, 127, 2, 8, 5, -2, 0}),
      Shape(0x31, "one", {2, 0x54, 1, 0x12, 0x6C, 2, 0x60, 0}),
      Shape(0x32, "", {2, 8, 0, 4, 1, 9, 1, 2, 3, 0, 1, -2, -5, -4, 4, 0, 0, 0, 2, 8, 2, 0, 0}),
      Shape(0x33, "three", {2, 8, 0, 6, 1, 13, 3, -3, -90, -3, -3, -90, 0, 0, 2, 8, 6, 0, 0}),
      Shape(0x34, "", {5, 3, 2, 2, 8, 4, 0, 1, 0x3C, 4, 2, 6, 7, 0x31, 0}),
      Shape(0x35, "", {2, 8, 5, 6, 1, 0x58, 0x2C, 11, 0, 179, 0, 3, 0x86, 0}),
      Shape(0x43, "", {2, 8, 6, 2, 1, 10, 3, 0x92, 10, 200, 0x16, 2, 8, 1, -2, 0}),
      Shape(0x57, "", {2, 0x94, 1, 0x2D, 0x2D, 0x2D, 0x2D, 0x23, 0x23, 0x23, 0x23,
                       0x2D, 0x2D, 0x2D, 0x2D, 0x23, 0x23, 0x23, 0x23, 2, 0x20, 0}),
      Shape(0x2E, "", {2, 8, 2, 0, 1, 0x10}),
      Shape(0x2D, "hyphen", {2, 8, 1, 3, 1, 0x40, 7, 0, 0x41, 0x90, -2, 2, 5, 6, 2, 8, 1, -3, 0}),
      Shape(0x7E41, "", {14, 1, 0x0F, 0xFF, 0}),
  });
}

// Bigfont 1.0: two escape ranges, an index in no order and records laid down in yet another, with gaps; a
// zero-length entry; codes on both sides of 0x8000; a header counter of 5 (four values).
std::string GoldenBigfontFont() {
  FontLayout font(FontVariant::kBigfont10, {
      Shape(0x8940, "", {2, 8, 1, 1, 1, 10, 4, 0x07, 2, 8, 3, 3, 1, 11, 0, 128, 0, 2, 0xC3, 0}),
      Shape(0x0041, "A", {1, 0x63, 0x6D, 2, 8, -4, 3, 1, 0x40, 0}),
      Shape(0, "BIGDEMO", {8, 0, 2, 8, 0x33}),
      Shape(0xFC4B, "last", {2, 8, 3, 0, 14, 8, 0, -10, 0}),
      FontRecord{0x82A2, "", {}, {}, 0},
      Shape(0x3021, "", {1, 0x44, 0x40, 0x4C, 0x48, 0}),
      Shape(0x002C, "", {2, 8, 1, 1, 1, 0x1C, 0x1A}),
      Shape(0xE040, "e040", {1, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B,
                             0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 2, 0}),
      Shape(0x82A0, "kana-a", {2, 8, 2, 10, 1, 0x80, 2, 8, -5, 3, 1, 13, -1, -8, 20, 3, -4, -50, 4, 4, 60,
                               0, 0, 2, 8, 8, -5, 0}),
      Shape(0x0031, "", {2, 8, 2, 6, 1, 0x6C, 2, 8, -1, 0, 1, 0x20, 0}),
      Shape(0x889F, "", {7, 0x31, 2, 8, 6, 0, 1, 7, 0, 0x82, 0xA0, 0, 0, 8, 8, 0}),
      Shape(0x8140, "", {2, 8, 16, 0, 0}),
  });
  font.escapeRanges = {{0x81, 0x9F}, {0xE0, 0xFC}};
  font.records[2].gapBefore = 3;
  font.records[8].gapBefore = 16;
  font.indexOrder = {3, 10, 2, 7, 0, 11, 4, 1, 9, 6, 8, 5};
  return BuildFont(font);
}

// Unifont 1.0: Unicode codes in file order, code 7 with its two-byte operand, a code whose table name wins
// over its escape name (0x2126), a list piece ending exactly at column 65.
std::string GoldenUnifontFont() {
  return BuildFont(FontVariant::kUnifont10, {
      Shape(0, "UniDemo", {0x15, 0xF9, 2, 0, 1, 0x44}),
      Shape(0x0041, "", {1, 0x63, 0x6D, 2, 8, -4, 3, 1, 0x40, 0}),
      Shape(0x00C1, "", {7, 0x00, 0x41, 2, 8, -2, 9, 1, 0x12, 0}),
      Shape(0x0410, "", {2, 14, 8, 0, -4, 7, 0x00, 0x41, 0}),
      Shape(0x2126, "", {2, 8, 1, 0, 1, 9, 2, 0, -1, 3, 0, 0, 10, 3, 0x44, 9, -1, -3, 2, 0, 0, 0, 0}),
      Shape(0x263A, "", {2, 8, 1, 5, 1, 13, 4, 4, -60, 4, -4, -60, -4, -4, -60, -4, 4, -60, 0, 0, 0}),
      Shape(0x4E00, "", {2, 8, 0, 4, 1, 8, 16, 0, 7, 0x01, 0x90, 0}),
      Shape(0x0030, "zero", {2, 8, 1, 2, 1, 12, 0, 6, 127, 12, 0, -6, 127, 2, 8, 5, -2, 0}),
      Shape(0x00E9, "\xE9", {7, 0x00, 0x65, 7, 0x03, 0x01, 0}),
      Shape(0x002E, "", {2, 8, 1, 0, 1, 0x10, 0x14, 0x18, 0x1C}),
      Shape(0x002C, "comma", {2, 8, 1, 1, 1, 0x1C, 0x2A, 0}),
      Shape(0x0031, "", {5, 4, 2, 2, 8, 1, 6, 1, 0x6C, 3, 2, 6, 11, 10, 20, 0, 3, 0x05, 0}),
  });
}

const std::vector<GoldenCase>& GoldenCases() {
  static const char kOldRevision[] = "morlune: Quen 10 file output in Quen 11 format.\n";
  static const std::vector<GoldenCase> cases = {
      {"Shapes10", GoldenShapes10Font, {}, "tests/e2e/golden/shapes10.txt", kOldRevision, 0},
      {"Shapes10Decimal", GoldenShapes10Font, {"-d"}, "tests/e2e/golden/shapes10_d.txt", kOldRevision, 0},
      {"Shapes10Escaped", GoldenShapes10Font, {"-e"}, "tests/e2e/golden/shapes10_e.txt", kOldRevision, 0},
      {"Shapes11", GoldenShapes11Font, {}, "tests/e2e/golden/shapes11.txt", "", 0},
      {"Shapes11Decimal", GoldenShapes11Font, {"-d"}, "tests/e2e/golden/shapes11_d.txt", "", 0},
      {"Shapes11Escaped", GoldenShapes11Font, {"-e"}, "tests/e2e/golden/shapes11_e.txt", "", 0},
      {"Bigfont", GoldenBigfontFont, {}, "tests/e2e/golden/bigfont.txt", "", 0},
      {"BigfontDecimal", GoldenBigfontFont, {"-d"}, "tests/e2e/golden/bigfont_d.txt", "", 0},
      {"BigfontEscaped", GoldenBigfontFont, {"-e"}, "tests/e2e/golden/bigfont_e.txt", "", 0},
      {"Unifont", GoldenUnifontFont, {}, "tests/e2e/golden/unifont.txt", "", 0},
      {"UnifontDecimal", GoldenUnifontFont, {"-d"}, "tests/e2e/golden/unifont_d.txt", "", 0},
      {"UnifontEscaped", GoldenUnifontFont, {"-e"}, "tests/e2e/golden/unifont_e.txt", "", 0},
  };
  return cases;
}

}  // namespace morlune::testing
