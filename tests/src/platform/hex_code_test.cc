// Codes and characters as messages name them: four digits at least, every
// digit of a longer value kept, capitals.
#include "platform/hex_code.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace morlune {
namespace {

TEST(CodeHex, FourDigitsAtLeastAndNoneDropped) {
  const struct {
    std::uint32_t code;
    const char* text;
  } rows[] = {
      {0, "0000"},         {0x41, "0041"},   {0xAB, "00AB"},     {0x1234, "1234"},
      {0xFFFF, "FFFF"},    // a code past 16 bits is told whole, not as the code it wraps to
      {0x10000, "10000"},  {0x1F600, "1F600"}, {0xFFFFFFFF, "FFFFFFFF"},
  };
  for (const auto& row : rows) EXPECT_EQ(CodeHex(row.code), row.text) << row.code;
}

TEST(CharacterName, UPlusTheCodePoint) {
  const struct {
    char32_t character;
    const char* name;
  } rows[] = {{U'A', "U+0041"}, {U'\u00E9', "U+00E9"}, {U'\u20AC', "U+20AC"}, {U'\U0001F600', "U+1F600"},
              {U'\U0010FFFF', "U+10FFFF"}};
  for (const auto& row : rows) EXPECT_EQ(CharacterName(row.character), row.name) << row.name;
}

}  // namespace
}  // namespace morlune
