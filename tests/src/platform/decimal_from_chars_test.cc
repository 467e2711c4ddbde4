// The reading of decimals where the standard library has no from_chars for
// a double: the same grammar, ends, errors and nearest doubles as the
// standard's own, against which a build that has one compares it.
#include "platform/decimal_from_chars.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/bit_cast.h"

namespace morlune {
namespace {

constexpr double kUnchanged = -7.5;
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Expected {
  std::string text;
  std::ptrdiff_t end;  // bytes read
  std::errc error;
  double value;  // kUnchanged where nothing is stored
};

void ExpectReads(const Expected& expected) {
  double value = kUnchanged;
  const char* first = expected.text.data();
  auto [end, error] = ScanDecimalThenStrtod(first, first + expected.text.size(), value);
  EXPECT_EQ(end - first, expected.end) << expected.text;
  EXPECT_TRUE(error == expected.error) << expected.text;
  if (std::isnan(expected.value)) {
    EXPECT_TRUE(std::isnan(value)) << expected.text;
    EXPECT_EQ(std::signbit(value), std::signbit(expected.value)) << expected.text;
  } else {
    EXPECT_EQ(BitCast<std::uint64_t>(value), BitCast<std::uint64_t>(expected.value)) << expected.text;
  }
}

TEST(DecimalFromChars, ReadsTheGrammarOfTheGeneralFormat) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<Expected> cases = {
      {"12", 2, std::errc(), 12},
      {"-3.25x", 5, std::errc(), -3.25},
      {"-0", 2, std::errc(), -0.0},
      {".5", 2, std::errc(), 0.5},
      {"5.", 2, std::errc(), 5},
      {"1.5.2", 3, std::errc(), 1.5},
      // No sign but '-', no blank, no lone point.
      {"+1", 0, std::errc::invalid_argument, kUnchanged},
      {" 1", 0, std::errc::invalid_argument, kUnchanged},
      {".", 0, std::errc::invalid_argument, kUnchanged},
      {"-", 0, std::errc::invalid_argument, kUnchanged},
      {"-.e1", 0, std::errc::invalid_argument, kUnchanged},
      {"", 0, std::errc::invalid_argument, kUnchanged},
      // An exponent is taken only when it has digits.
      {"1e", 1, std::errc(), 1},
      {"1e+", 1, std::errc(), 1},
      {"2E-2", 4, std::errc(), 0.02},
      {"3e+1,", 4, std::errc(), 30},
      // Hexadecimal is another format: "0x" ends after the zero.
      {"0x1p3", 1, std::errc(), 0},
      {"inf", 3, std::errc(), kInf},
      {"-Infinity", 9, std::errc(), -kInf},
      {"INFINIT", 3, std::errc(), kInf},
      {"nan", 3, std::errc(), nan},
      {"-nan(ab_1)", 10, std::errc(), -nan},
      {"nan(", 3, std::errc(), nan},
      {"nan(a-b)", 3, std::errc(), nan},
      // Past the range either way: the end is the number's, the value kept.
      {"1e400", 5, std::errc::result_out_of_range, kUnchanged},
      {"-1e400", 6, std::errc::result_out_of_range, kUnchanged},
      {"1e-400", 6, std::errc::result_out_of_range, kUnchanged},
      // The nearest double, halfway cases to even.
      {"0.1", 3, std::errc(), 0.1},
      {"9007199254740993", 16, std::errc(), 9007199254740992.0},
      {"1.00000000000000011102230246251565404236316680908203125", 55, std::errc(), 1.0},
      {"1.00000000000000011102230246251565404236316680908203126", 55, std::errc(),
       std::nextafter(1.0, 2.0)},
  };
  for (const Expected& expected : cases) ExpectReads(expected);
}

// A locale whose decimal point is a comma changes nothing.
TEST(DecimalFromChars, ReadsAPointWhateverTheLocale) {
  std::string before = std::setlocale(LC_NUMERIC, nullptr);
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "C.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr && std::string(std::localeconv()->decimal_point) == ",") {
      comma = true;
      break;
    }
  }
  ExpectReads({"2.75", 4, std::errc(), 2.75});
  std::setlocale(LC_NUMERIC, before.c_str());
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma on this machine";
}

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
// Short strings of the grammar's characters, every kind of ending met,
// and the edges of the double's range.
TEST(DecimalFromChars, AgreesWithTheStandardLibrary) {
  std::vector<std::string> texts = {"4.9e-324", "2e-324", "3e-324", "2.2250738585072011e-308",
                                    "1.7976931348623157e308", "1.7976931348623159e308", "0e999999", "0.000e-9999"};
  const std::string alphabet = "0123456789..eE+-infatyINF()_x 9";
  std::mt19937 random(11);
  for (int k = 0; k < 200000; ++k) {
    std::string text;
    for (std::size_t n = random() % 14; n > 0; --n) text.push_back(alphabet[random() % alphabet.size()]);
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    const char* last = text.data() + text.size();
    double ours = kUnchanged, theirs = kUnchanged;
    auto [ourEnd, ourError] = ScanDecimalThenStrtod(text.data(), last, ours);
    auto [theirEnd, theirError] = std::from_chars(text.data(), last, theirs);
    ASSERT_EQ(ourEnd, theirEnd) << text;
    ASSERT_TRUE(ourError == theirError) << text;
    ASSERT_EQ(std::isnan(ours), std::isnan(theirs)) << text;
    if (!std::isnan(ours)) {
      ASSERT_EQ(BitCast<std::uint64_t>(ours), BitCast<std::uint64_t>(theirs)) << text;
    }
  }
}
#endif

}  // namespace
}  // namespace morlune
