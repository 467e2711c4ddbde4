// UTF-8 both ways: each length's edges, and each malformed form refused.
#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace morlune {
namespace {

using namespace std::string_view_literals;

// Characters at the edges of each length, with their bytes. A zero byte is
// a character of its own here; readers that refuse it say so.
const struct {
  char32_t character;
  std::string_view bytes;
} kEdges[] = {
    {U'\0', "\0"sv},             {U'\u0001', "\x01"},         {U'\u007F', "\x7F"},
    {U'\u0080', "\xC2\x80"},      {U'\u07FF', "\xDF\xBF"},     {U'\u0800', "\xE0\xA0\x80"},
    {U'\uD7FF', "\xED\x9F\xBF"},  {U'\uE000', "\xEE\x80\x80"}, {U'\uFFFF', "\xEF\xBF\xBF"},
    {U'\U00010000', "\xF0\x90\x80\x80"}, {U'\U0010FFFF', "\xF4\x8F\xBF\xBF"},
};

TEST(Utf8, EachLengthBothWays) {
  for (const auto& edge : kEdges) {
    std::string text = "<";
    AppendUtf8(text, edge.character);
    EXPECT_EQ(text.substr(1), edge.bytes) << static_cast<unsigned>(edge.character);
    text += '>';  // read from where it is asked, and no farther
    Utf8Character read = ReadUtf8(text, 1);
    EXPECT_EQ(read.character, edge.character);
    EXPECT_EQ(read.length, edge.bytes.size());
  }
}

TEST(ReadUtf8, MalformedBytesAreNoCharacter) {
  const struct {
    const char* what;
    std::string_view text;
    std::size_t at;
  } rows[] = {
      {"a continuation byte first", "\x80", 0},
      {"a lead byte of five", "\xF8\x88\x80\x80\x80", 0},
      {"cut by the end", "\xE2\x82", 0},
      {"a lead byte where a continuation is due", "\xC3\xC3\xA9", 0},
      {"an ASCII byte where a continuation is due", "\xC3" "A", 0},
      {"overlong zero", "\xC0\x80", 0},
      {"overlong slash, three bytes", "\xE0\x80\xAF", 0},
      {"overlong, four bytes", "\xF0\x8F\xBF\xBF", 0},
      {"the first surrogate", "\xED\xA0\x80", 0},
      {"the last surrogate", "\xED\xBF\xBF", 0},
      {"past U+10FFFF", "\xF4\x90\x80\x80", 0},
      {"at the end", "ab", 2},
  };
  for (const auto& row : rows) EXPECT_EQ(ReadUtf8(row.text, row.at).length, 0u) << row.what;
}

}  // namespace
}  // namespace morlune
