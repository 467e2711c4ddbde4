// Default character names: the rules that build the rows, the names shared
// by two codes, codes without a row, and escape names under -e.
#include "source/char_names.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace morlune {
namespace {

std::string Name(std::int32_t code, int escapedNames = 0) {
  DumpContext context;
  context.escapedNames = escapedNames;
  return std::string(LookupCharName(context, code));
}

TEST(CharNameTable, SortedUniqueAndEveryRowFound) {
  ASSERT_EQ(kCharNameCount, 283);
  EXPECT_EQ(CharNameTable[0].code, 10);
  EXPECT_EQ(CharNameTable[kCharNameCount - 1].code, 8962);
  for (int row = 0; row < kCharNameCount; ++row) {
    const CharNameEntry& entry = CharNameTable[row];
    ASSERT_NE(entry.name, nullptr) << entry.code;
    EXPECT_STRNE(entry.name, "") << entry.code;
    if (row > 0) {
      EXPECT_LT(CharNameTable[row - 1].code, entry.code) << "row " << row;
    }
    EXPECT_EQ(Name(entry.code), entry.name);
    EXPECT_EQ(Name(entry.code, 1), entry.name);
  }
}

TEST(CharNameTable, RowsBuiltByRule) {
  for (int c = '0'; c <= '9'; ++c) EXPECT_EQ(Name(c), std::string("n") + static_cast<char>(c));
  for (int c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(Name(c), std::string("uc") + static_cast<char>(c - 'A' + 'a'));
  for (int c = 'a'; c <= 'z'; ++c) EXPECT_EQ(Name(c), std::string("lc") + static_cast<char>(c));

  // Latin-1 letters named "x" and their code in lower-case hexadecimal;
  // 215 has no row, and 216, 219, 222, 223, 247, 248, 253 and 254 have
  // names of their own.
  int latin = 0;
  for (int c = 192; c <= 255; ++c) {
    if (c == 215 || c == 216 || c == 219 || c == 222 || c == 223) continue;
    if (c == 247 || c == 248 || c == 253 || c == 254) continue;
    char expected[8];
    std::snprintf(expected, sizeof expected, "x%02x", static_cast<unsigned>(c));
    EXPECT_EQ(Name(c), expected);
    ++latin;
  }
  EXPECT_EQ(latin, 55);

  static const char* const kCyrillic[32] = {"a", "b",  "v",  "g",    "d",      "e",   "zh",    "z",   "i",  "ikr", "k",
                                            "l", "m",  "n",  "o",    "p",      "r",   "s",     "t",   "u",  "f",   "x",
                                            "c", "ch", "sh", "shch", "tvznak", "yyy", "mznak", "eee", "yu", "ya"};
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(Name(1040 + i), std::string("ucr") + kCyrillic[i]);
    EXPECT_EQ(Name(1072 + i), std::string("lcr") + kCyrillic[i]);
  }
}

// Central European letters are "c" and their position in code page 852,
// which the C library's converter knows independently of the table.
TEST(CharNameTable, CentralEuropeanRowsAreCodePage852Positions) {
  iconv_t convert = iconv_open("CP852", "UTF-32LE");
  if (convert == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no code page 852 converter";
  int rows = 0;
  for (const CharNameEntry& entry : CharNameTable) {
    if (entry.code < 256 || entry.code > 383) continue;
    unsigned char in[4] = {static_cast<unsigned char>(entry.code), static_cast<unsigned char>(entry.code >> 8), 0, 0};
    unsigned char out[4] = {};
    char* inPtr = reinterpret_cast<char*>(in);
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t inLeft = sizeof in, outLeft = sizeof out;
    ASSERT_NE(iconv(convert, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1)) << entry.code;
    char expected[8];
    std::snprintf(expected, sizeof expected, "c%u", static_cast<unsigned>(out[0]));
    EXPECT_STREQ(entry.name, expected) << entry.code;
    ++rows;
  }
  iconv_close(convert);
  EXPECT_EQ(rows, 38);
}

TEST(CharNameTable, OnlyFourNamesStandAtTwoCodes) {
  std::map<std::string, std::vector<std::int32_t>> codesByName;
  for (const CharNameEntry& entry : CharNameTable) codesByName[entry.name].push_back(entry.code);
  std::map<std::string, std::vector<std::int32_t>> shared;
  for (const auto& [name, codes] : codesByName) {
    if (codes.size() > 1) shared[name] = codes;
  }
  const std::map<std::string, std::vector<std::int32_t>> expected = {
      {"kyen", {165, 216}}, {"kcent", {162, 248}}, {"komega", {219, 8486}}, {"kinfin", {253, 8734}}};
  EXPECT_EQ(shared, expected);
}

TEST(LookupCharName, CodesWithoutARowAreUnspecified) {
  std::vector<std::int32_t> codes = {0,   9,   164, 166, 168, 169, 172,  175,  178,  180, 182,
                                     185, 190, 215, 256, 259, 384, 1039, 1104, 8710, 8963};
  for (std::int32_t code = 11; code <= 31; ++code) codes.push_back(code);
  for (std::int32_t code = 127; code <= 159; ++code) codes.push_back(code);
  for (std::int32_t code : codes) {
    EXPECT_EQ(Name(code), "unspecified") << code;
    EXPECT_EQ(Name(code, 1), "unspecified") << code << " under -e";
  }
  EXPECT_EQ(Name(0x4142), "unspecified");
  EXPECT_EQ(Name(0xFFFF), "unspecified");
}

TEST(LookupCharName, EscapeNames) {
  const struct {
    std::int32_t code;
    std::string name;
  } cases[] = {
      {0x4142, "esc:AB"},
      {0x2041, "esc: A"},
      {0x412C, "esc:A,"},
      {0x2020, "esc:  "},
      {0x7E7E, "esc:~~"},
      {0x41A0, "esc:A\xA0"},
      {0xA041,
       "esc:\xA0"
       "A"},
      {0xFFFF, "esc:\xFF\xFF"},
      {0x411F, "unspecified"},
      {0x1F41, "unspecified"},
      {0x417F, "unspecified"},
      {0x7F41, "unspecified"},
      {0x4180, "unspecified"},
      {0x8041, "unspecified"},
      {0x419F, "unspecified"},
      {0x9F41, "unspecified"},
      {0x4100, "unspecified"},
      {0x2000, "unspecified"},
      // A row wins even where both bytes are printable.
      {8486, "komega"},
      {8359, "kpes"},
      {8804, "kleq"},
  };
  for (const auto& c : cases) EXPECT_EQ(Name(c.code, 1), c.name) << std::hex << c.code;
}

TEST(LookupCharName, NextEscapeNameReplacesTheLast) {
  DumpContext context;
  context.escapedNames = 1;
  std::string_view first = LookupCharName(context, 0x4142);
  EXPECT_EQ(first, "esc:AB");
  std::string_view second = LookupCharName(context, 0x4344);
  EXPECT_EQ(second, "esc:CD");
  EXPECT_EQ(first, "esc:CD");  // one shared buffer
  EXPECT_EQ(LookupCharName(context, 65), "uca");
  EXPECT_EQ(second, "esc:CD");  // a table name leaves the buffer alone
}

}  // namespace
}  // namespace morlune
