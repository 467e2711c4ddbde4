// Text into XML: the four escapes, and what each kind of text does with the
// characters XML cannot hold.
#include "drawing/xml_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace morlune {
namespace {

using namespace std::string_view_literals;

TEST(AppendXmlText, BytesAreTheCharactersOfTheirValue) {
  const struct {
    std::string_view bytes;
    std::size_t most;
    const char* text;
  } rows[] = {
      {"a&b<c>d\"e'f", 100, "a&amp;b&lt;c&gt;d&quot;e'f"},  // the apostrophe needs no escape in text
      {"\xE9\xFF", 100, "\xC3\xA9\xC3\xBF"},                 // a byte past ASCII as its Latin-1 character
      {"a\tb\x1F" "c\x7F" "d\x9F" "e\xA0", 100, "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c\xEF\xBF\xBD" "d\xEF\xBF\xBD" "e\xC2\xA0"},
      {"abcdef", 3, "abc..."},                                 // cut at the bound
      {"abc", 3, "abc"},
      {"\0z"sv, 100, "\xEF\xBF\xBDz"},
  };
  for (const auto& row : rows) {
    // Appended after what the text already holds.
    std::string text = "<", expected = "<";
    AppendXmlText(text, row.bytes, row.most);
    expected += row.text;
    EXPECT_EQ(text, expected) << row.text;
  }
}

TEST(AppendXmlUtf8, KeepsTheTextAndDropsWhatXmlCannotHold) {
  const struct {
    std::string_view utf8;
    const char* text;
  } rows[] = {
      {"a&b<c>d\"e", "a&amp;b&lt;c&gt;d&quot;e"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},  // UTF-8 goes through as it is
      {"a\tb\nc\x01" "d\x7F", "a\tbcd\x7F"},  // of the controls below a blank, the tab alone stays
      {"\0x"sv, "x"},
  };
  for (const auto& row : rows) {
    std::string text;
    AppendXmlUtf8(text, row.utf8);
    EXPECT_EQ(text, row.text) << row.text;
  }
}

}  // namespace
}  // namespace morlune
