// The round trip over the golden fonts, with each of the decompiler's option sets: decompiling and compiling give
// the same text back, and compiling, decompiling and compiling give the same bytes back. (Random plain fonts of
// every variant are the run and compile fuzz targets' corpora, replayed as tests; the sample fonts come back byte
// for byte in the whole runs and through the library.)
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "compiler/compile_source.h"
#include "tools/morlune/run.h"
#include "tests/e2e/golden_cases.h"
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
  EXPECT_EQ(diagnostics.ErrorCount(), 0u) << diagnostics.Kept().front().message;
  return font.value_or("");
}

// Three golden fonts round-trip; the shapes 1.0 one holds a code 9 list that its record's count cuts off, so
// its text has a list that never closes, and the compiler says so where the list begins.
TEST(RoundTrip, GoldenFonts) {
  CompileOptions plain, dropping;
  dropping.dropDefaultNames = true;
  for (auto build : {GoldenShapes11Font, GoldenBigfontFont, GoldenUnifontFont}) {
    const std::string font = build();
    for (int set = 0; set < 4; ++set) {
      SCOPED_TRACE(font.substr(11, font.find('\r') - 11) + " with option set " + std::to_string(set));
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
    }
  }
  Diagnostics diagnostics;
  EXPECT_FALSE(CompileSource(Decompile(GoldenShapes10Font(), 0), {Variant::kShapes10}, diagnostics));
  ASSERT_EQ(diagnostics.Kept().size(), 1u);
  const Diagnostic& only = diagnostics.Kept()[0];
  EXPECT_EQ(std::to_string(only.line) + ":" + std::to_string(only.column) + " " + only.message,
            "10:13 the list of code 9 is not closed by (0,0) within its record");
}

}  // namespace
}  // namespace morlune::testing
