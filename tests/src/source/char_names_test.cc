// Default character names: the table, the rows built by rule, codes without a row, escape names under -e.
#include "source/char_names.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace morlune {
namespace {

// The names of the codes, one blank between each two.
std::string Names(std::initializer_list<std::int32_t> codes, int escapedNames = 0) {
  EscapeNameBuffer buffer;
  std::string names;
  for (std::int32_t code : codes) {
    names.append(names.empty() ? "" : " ").append(LookupCharName(code, escapedNames != 0, buffer));
  }
  return names;
}

// The lookup searches the table by halves: rows in ascending order, each found by its code.
TEST(CharNameTable, AscendingRowsEachFound) {
  for (int row = 0; row < kCharNameCount; ++row) {
    const CharNameEntry& entry = CharNameTable[row];
    EXPECT_LT(row > 0 ? CharNameTable[row - 1].code : 0, entry.code) << "row " << row;
    EXPECT_EQ(Names({entry.code}, row % 2), entry.name);
  }
}

TEST(LookupCharName, RulesRowlessCodesAndEscapeNames) {
  EXPECT_EQ(Names({'0', '9', 'A', 'Z', 'a', 'z'}), "n0 n9 uca ucz lca lcz");
  EXPECT_EQ(Names({192, 214, 217, 224, 246, 255}), "xc0 xd6 xd9 xe0 xf6 xff");  // "x" and the code in hexadecimal
  EXPECT_EQ(Names({1040, 1046, 1049, 1065, 1066, 1071}), "ucra ucrzh ucrikr ucrshch ucrtvznak ucrya");
  EXPECT_EQ(Names({1072, 1078, 1081, 1097, 1098, 1103}), "lcra lcrzh lcrikr lcrshch lcrtvznak lcrya");
  EXPECT_EQ(Names({260, 262, 321, 367, 382}), "c164 c143 c157 c133 c167");  // "c" and the place in code page 852
  // Under -e both bytes must be printable (0x20 to 0x7E, 0xA0 to 0xFF); a row still comes first.
  EXPECT_EQ(Names({0x2041, 0x7E7E, 0x41A0, 0xFF7E, 8486}, 1), "esc: A esc:~~ esc:A\xA0 esc:\xFF~ komega");
  EXPECT_EQ(Names({0x2041}), "unspecified");
  for (std::int32_t code : {0, 9, 11, 31, 127, 159, 164, 215, 256, 384, 1039, 1104, 8710, 8963, 0x411F, 0x1F41, 0x417F,
                            0x7F41, 0x4180, 0x9F41, 0x4100}) {
    EXPECT_EQ(Names({code}) + Names({code}, 1), "unspecifiedunspecified") << code;
  }
}

}  // namespace
}  // namespace morlune
