// The library's walk and listing over a font in memory, warnings captured.
#include "tests/src/drawing/listing_support.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

#include "drawing/draw_warnings.h"
#include "drawing/listing_writer.h"
#include "fontfile/signature.h"
#include "tests/support/captured_text.h"

namespace morlune::testing {
namespace {

class CapturedMessages : public DrawMessages {
 public:
  explicit CapturedMessages(std::string& text) : text_(text) {}
  void ShapeWarning(int code, const std::string& text) override { text_ += CodeHex(code) + ": " + text + "\n"; }
  void FontWarning(const std::string& text) override { text_ += text + "\n"; }

 private:
  std::string& text_;
};

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\n'; }

}  // namespace

DrawnListing ListFont(const std::string& font) {
  DrawnListing drawn;
  const auto* data = reinterpret_cast<const unsigned char*>(font.data());
  ByteInput input;
  input.AttachMemory(data, font.size());
  // The fonts listed are compiled fonts, each with its signature.
  Variant kind = IdentifyShapeFile(input).value();
  DrawingFont drawing(data, font.size(), kind,
                      WalkFontRecords(data, font.size(), static_cast<std::size_t>(input.Tell()), kind));
  CapturedMessages messages(drawn.warnings);
  drawn.listing = Captured([&](TextOutput& out) { WriteFontListing(drawing, CodeRange{}, out, messages); });
  return drawn;
}

bool SameWithinTolerance(const std::string& got, const std::string& expected) {
  std::size_t i = 0, j = 0;
  while (i < got.size() && j < expected.size()) {
    if (IsSeparator(got[i]) || IsSeparator(expected[j])) {
      if (got[i++] != expected[j++]) return false;
      continue;
    }
    std::size_t gotEnd = i, expectedEnd = j;
    while (gotEnd < got.size() && !IsSeparator(got[gotEnd])) ++gotEnd;
    while (expectedEnd < expected.size() && !IsSeparator(expected[expectedEnd])) ++expectedEnd;
    std::string a = got.substr(i, gotEnd - i), b = expected.substr(j, expectedEnd - j);
    char* endA;
    char* endB;
    double x = std::strtod(a.c_str(), &endA), y = std::strtod(b.c_str(), &endB);
    bool numbers = *endA == '\0' && *endB == '\0' && !a.empty() && !b.empty();
    if (numbers ? std::fabs(x - y) > std::max(1e-6, 1e-9 * std::max(std::fabs(x), std::fabs(y))) : a != b) {
      return false;
    }
    i = gotEnd;
    j = expectedEnd;
  }
  return i == got.size() && j == expected.size();
}

void ExpectListings(const std::vector<ListingRow>& rows) {
  for (const ListingRow& row : rows) {
    DrawnListing drawn = ListFont(BuildFont(row.variant, row.records));
    if (row.arcs) {
      EXPECT_TRUE(SameWithinTolerance(drawn.listing, row.listing)) << row.what << "\n" << drawn.listing;
    } else {
      EXPECT_EQ(drawn.listing, row.listing) << row.what;
    }
    EXPECT_EQ(drawn.warnings, row.warnings) << row.what;
  }
}

}  // namespace morlune::testing
