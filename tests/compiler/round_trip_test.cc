// The round trip as a property: over the golden fonts and a few hundred random plain fonts of every variant
// (the sample fonts come back byte for byte in the whole runs and through the library), with each of the
// decompiler's option sets, decompiling and compiling give the same text back, and compiling, decompiling and
// compiling give the same bytes back.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/compile_source.h"
#include "driver/run.h"
#include "tests/e2e/golden_cases.h"
#include "tests/support/font_builder.h"
#include "tests/support/in_process.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

const std::vector<std::string> kOptionSets[4] = {{"morlune"}, {"morlune", "-d"}, {"morlune", "-e"}, {"morlune", "-de"}};

std::string Decompile(const std::string& font, int optionSet) {
  return RunInProcess(RunMorlune, kOptionSets[optionSet], font).out;
}

std::string Compile(const std::string& text, CompileOptions options) {
  Diagnostics diagnostics;
  std::optional<std::string> font = CompileSource(text, options, diagnostics);
  std::string problems;
  // A random font may lack its font-header record, which is only a warning.
  for (const Diagnostic& d : diagnostics.Kept()) {
    if (d.isError) problems += std::to_string(d.line) + ":" + std::to_string(d.column) + " " + d.message + "\n";
  }
  EXPECT_EQ(problems, "");
  return font.value_or("");
}

// Checks the round trip of one font with every option set; returns the number of (font, option set) pairs.
int CheckRoundTrip(const std::string& font, const std::string& label, bool shapes10) {
  CompileOptions plain, dropping;
  if (shapes10) plain.variant = dropping.variant = Variant::kShapes10;
  dropping.dropDefaultNames = true;
  for (int set = 0; set < 4; ++set) {
    SCOPED_TRACE(label + " with option set " + std::to_string(set));
    std::string text = Decompile(font, set);
    std::string compiled = Compile(text, plain);
    EXPECT_EQ(Decompile(compiled, set), text);
    std::string dropped = Compile(text, dropping);
    EXPECT_EQ(Decompile(dropped, set), text);
    // The font compiled from one text comes back from the text of every option set.
    for (int other = 0; other < 4; ++other) {
      EXPECT_EQ(Compile(Decompile(compiled, other), plain), compiled) << "again with option set " << other;
      EXPECT_EQ(Compile(Decompile(dropped, other), dropping), dropped) << "again with option set " << other;
    }
    if (::testing::Test::HasFailure()) return set;
  }
  return 4;
}

// splitmix64: the same fonts from every standard library.
struct Random {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Between(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1)); }
  char Byte(int lo = 0, int hi = 255) { return static_cast<char>(Between(lo, hi)); }
};

// A name of bytes 1 to 255 but the line feed, not ending in a carriage return: empty a third of the time, long
// (up to the 1023 bytes a name holds) now and then.
std::string RandomName(Random& random) {
  int roll = random.Between(0, 9);
  int length = roll < 3 ? 0 : roll < 9 ? random.Between(1, 20) : random.Between(900, 1023);
  std::string name;
  while (static_cast<int>(name.size()) < length) {
    char c = random.Byte(1, 255);
    if (c != '\n' && !(c == '\r' && static_cast<int>(name.size()) == length - 1)) name.push_back(c);
  }
  return name;
}

// Whole items of every kind: codes 0 to 14 with their operands, both forms of code 7, closed lists, and vector
// bytes.
std::string RandomData(Random& random, bool unifont) {
  std::string data;
  int items = random.Between(0, 40);
  for (int i = 0; i < items; ++i) {
    int code = random.Between(0, 20);
    if (code > 14) code = random.Between(15, 255);
    data.push_back(static_cast<char>(code));
    switch (code) {
      case 3: case 4: case 8: case 10: case 12: case 11:
        for (int n = code == 3 || code == 4 ? 1 : code == 8 || code == 10 ? 2 : code == 12 ? 3 : 5; n > 0; --n) {
          data.push_back(random.Byte());
        }
        break;
      case 7:
        if (unifont) {
          data.push_back(random.Byte());
          data.push_back(random.Byte());
        } else if (random.Between(0, 2) == 0) {
          data.push_back(0);
          for (int n = 0; n < 6; ++n) data.push_back(random.Byte());
        } else {
          data.push_back(random.Byte(1, 255));
        }
        break;
      case 9:
      case 13:
        for (int entries = random.Between(0, 5); entries > 0; --entries) {
          char first = random.Byte();
          data.push_back(first);
          data.push_back(first == 0 ? random.Byte(1, 255) : random.Byte());
          if (code == 13) data.push_back(random.Byte());
        }
        data.append(2, '\0');
        break;
      default:
        break;
    }
  }
  return data;
}

FontRecord Record(std::uint16_t code, const std::string& name, const std::string& data) {
  return {code, name + '\0' + data, {}, {}, 0};
}

std::string RandomPlainFont(Random& random, FontVariant variant) {
  bool unifont = variant == FontVariant::kUnifont10;
  bool bigfont = variant == FontVariant::kBigfont10;
  std::vector<FontRecord> records;
  // The font-header record: the values that the decompiler prints, the last one 0.
  if (unifont || random.Between(0, 3) > 0) {
    int values = unifont ? 6 : bigfont ? random.Between(4, 5) : 4;
    std::string data;
    for (int v = 1; v < values; ++v) data.push_back(random.Byte());
    data.push_back(0);
    records.push_back(Record(0, RandomName(random), data));
  }
  std::vector<bool> used(0x10000);
  for (int shapes = random.Between(0, 12); shapes > 0; --shapes) {
    auto code = static_cast<std::uint16_t>(random.Between(0, 3) == 0 ? random.Between(1, 0xFFFF) : random.Between(1, 0x7F));
    if (bigfont && used[code]) continue;
    used[code] = true;
    records.push_back(Record(code, RandomName(random), RandomData(random, unifont)));
  }
  // The unifont's font-header record need not come first.
  if (unifont && records.size() > 1 && random.Between(0, 3) == 0) std::swap(records[0], records[1]);
  FontLayout layout(variant, std::move(records));
  if (bigfont) {
    for (int ranges = random.Between(0, 3); ranges > 0; --ranges) {
      layout.escapeRanges.push_back({static_cast<std::uint16_t>(random.Between(0, 0xFFFF)),
                                     static_cast<std::uint16_t>(random.Between(0, 0xFFFF))});
    }
  }
  return BuildFont(layout);
}

TEST(RoundTrip, RandomPlainFontsOfEveryVariant) {
  Random random{20261206};
  const FontVariant variants[] = {FontVariant::kShapes10, FontVariant::kShapes11, FontVariant::kBigfont10,
                                  FontVariant::kUnifont10};
  int pairs = 0;
  for (int n = 0; n < 300 && !HasFailure(); ++n) {
    FontVariant variant = variants[n % 4];
    pairs += CheckRoundTrip(RandomPlainFont(random, variant), "random font " + std::to_string(n),
                            variant == FontVariant::kShapes10);
  }
  EXPECT_EQ(pairs, 1200);
}

// Three golden fonts round-trip; the shapes 1.0 one holds a code 9 list that its record's count cuts off, so
// its text has a list that never closes, and the compiler says so where the list begins.
TEST(RoundTrip, GoldenFonts) {
  EXPECT_EQ(CheckRoundTrip(GoldenShapes11Font(), "golden shapes 1.1", false), 4);
  EXPECT_EQ(CheckRoundTrip(GoldenBigfontFont(), "golden bigfont", false), 4);
  EXPECT_EQ(CheckRoundTrip(GoldenUnifontFont(), "golden unifont", false), 4);
  Diagnostics diagnostics;
  EXPECT_FALSE(CompileSource(Decompile(GoldenShapes10Font(), 0), {Variant::kShapes10}, diagnostics));
  ASSERT_EQ(diagnostics.Kept().size(), 1u);
  const Diagnostic& only = diagnostics.Kept()[0];
  EXPECT_EQ(std::to_string(only.line) + ":" + std::to_string(only.column) + " " + only.message,
            "10:13 the list of code 9 is not closed by (0,0) within its record");
}

}  // namespace
}  // namespace morlune::testing
