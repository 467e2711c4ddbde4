// The edges of reading source text, each class of fault one table: every problem line a text gets, worked out
// from the rules of the text. Numbers are quoted as written and refused as out of range wherever they stand; a
// fault is told once, where it starts; what the font as a whole lacks is warned of; a compiled font given as the
// text is told in one line. (Blanks around a header's commas are Compile.SourcesAsPeopleWriteThem's.)
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "compiler/compile_source.h"
#include "tests/support/font_builder.h"

namespace morlune::testing {
namespace {

struct Compiled {
  std::string problems;  // "LINE:COLUMN: error: TEXT" (or warning), one per line, in the order of the text
  std::optional<std::string> font;
};

Compiled CompileText(const std::string& text, const CompileOptions& options = {}) {
  Diagnostics diagnostics;
  Compiled compiled;
  compiled.font = CompileSource(text, options, diagnostics);
  for (const Diagnostic& d : diagnostics.Kept()) {
    compiled.problems += std::to_string(d.line) + ":" + std::to_string(d.column) +
                         (d.isError ? ": error: " : ": warning: ") + d.message + "\n";
  }
  return compiled;
}

const std::string kHeader = "*0,4,f\n1,2,3,0\n";  // the font-header record that most of these texts begin with
const CompileOptions kTakeCounted = {std::nullopt, false, true};

struct ProblemCase {
  const char* what;
  std::string text;
  CompileOptions options;
  std::string problems;
  std::optional<std::string> font = std::nullopt;  // where given, the font worked out by hand
};

void ExpectProblems(const ProblemCase& c) {
  Compiled compiled = CompileText(c.text, c.options);
  EXPECT_EQ(compiled.problems, c.problems) << c.what;
  bool errors = c.problems.find(": error: ") != std::string::npos;
  EXPECT_EQ(compiled.font.has_value(), !errors) << c.what;
  if (c.font) {
    EXPECT_EQ(compiled.font, c.font) << c.what;
  }
}

TEST(SourceEdges, NumbersAreQuotedAsWrittenAndOutOfRangeWhereverTheyStand) {
  const ProblemCase cases[] = {
      {"a count of more digits than any record's bytes", kHeader + "*00041,99999999,B\n2,0\n", {},
       "3:8: error: the count '99999999' is out of range (0 to 32767)\n"},
      {"a negative count", kHeader + "*00041,-1,a\n0\n", {}, "3:8: error: the count '-1' is out of range (0 to 32767)\n"},
      {"a count out of range, taken as the bytes of the numbers", kHeader + "*00041,99999999,B\n2,0\n", kTakeCounted,
       "3:8: warning: the count '99999999' is out of range (0 to 32767); the record takes the bytes of its numbers\n"},
      {"a hexadecimal count that differs", kHeader + "*00041,012,a\n0\n", {},
       "3:8: error: the count is 012 (18) but the numbers make 1 byte\n"},
      {"an item", kHeader + "*00041,2,a\n99999999,0\n", {},
       "4:1: error: '99999999' is out of range for a code or vector byte (0 to 255)\n"},
      {"a font-header value", "*0,4,f\n1,2,-99999999,0\n", {},
       "2:5: error: '-99999999' is out of range for a font-header value (-128 to 255)\n"},
      {"a header's code", "*099999999,1,a\n0\n", {}, "1:2: error: code '099999999' is out of range (0 to 65535)\n"},
      {"the number of escape ranges", "*BIGFONT 1,99999999\n*0,4,b\n1,2,3,0\n", {},
       "1:12: error: the number of escape ranges '99999999' is out of range (0 to 65535)\n"},
      {"an escape code", "*BIGFONT 1,1,081,099999999\n*0,4,b\n1,2,3,0\n", {},
       "1:18: error: escape code '099999999' is out of range (0 to 65535)\n"},
      {"the record count of a *BIGFONT line, only warned about", "*BIGFONT 99999999,0\n*0,4,b\n1,2,3,0\n", {},
       "1:10: warning: the record count '99999999' is out of range (0 to 32767)\n"},
      {"a record count that differs", "*BIGFONT 03,0\n*0,4,b\n1,2,3,0\n", {},
       "1:10: warning: the *BIGFONT line counts 03 (3) records of 1 to 32767 bytes; the font holds 1\n"},
      {"escape ranges that take more codes than given", "*BIGFONT 1,02,081,09F\n*0,4,b\n1,2,3,0\n", {},
       "1:12: error: 02 (2) escape ranges take 4 codes; the line gives 2\n"},
      {"a code given twice in a bigfont", "*BIGFONT 3,0\n*0,4,b\n1,2,3,0\n*00041,1,a\n0\n*65,1,b\n0\n", {},
       "6:1: error: a second record with code 65 (the first is on line 4); a bigfont holds one per code\n"},
  };
  for (const ProblemCase& c : cases) ExpectProblems(c);
}

TEST(SourceEdges, AFaultIsToldOnceWhereItStarts) {
  const std::string stray = "error: unexpected '*': a header begins a line or follows a comma\n";
  const std::string followed = "error: a *BIGFONT line cannot follow another: each is followed by its font-header "
                               "record (*0,COUNT,NAME)\n";
  const ProblemCase cases[] = {
      // A '*' where no number can begin: the record's count and parentheses go unchecked, and no variant is told.
      {"a '*' right after a number", kHeader + "*00041,2,a\n2*\n", {}, "4:2: " + stray},
      {"a '*UNIFONT' after the font-header values", kHeader.substr(0, 14) + " *UNIFONT,6,u\n", {}, "2:9: " + stray},
      {"a '*BIGFONT' after a number leaves --variant alone", kHeader + "*00041,2,a\n2,0 *BIGFONT 1,0\n",
       {Variant::kShapes10}, "4:5: " + stray},
      {"the text's own variant still refuses another --variant",
       "*UNIFONT,6,u\n1,2,3,4,5,0\n*00041,2,a\n2,0 *BIGFONT 1,0\n", {Variant::kBigfont},
       "1:1: error: --variant bigfont does not apply to a unifont text\n4:5: " + stray},
      {"a '*' inside parentheses", kHeader + "*00041,3,a\n2,(*00042,1,b\n", {}, "4:4: " + stray},
      // A header cut after its code, at the end of the text as in the middle, after a *BIGFONT line.
      {"a header cut after its code at the very end; the *BIGFONT line's count is not held to a text with errors",
       "*BIGFONT 1,0\n*0", {},
       "2:1: error: the header has no count and name (',COUNT,NAME')\n"},
      {"a header cut after its code in the middle", "*BIGFONT 1,0\n*0\n*00041,1,a\n0\n", {},
       "2:1: error: the header has no count and name (',COUNT,NAME')\n"},
      // A *BIGFONT line waits for its font-header record; another line before it is the fault, and is passed over.
      {"two *BIGFONT lines in a row", "*BIGFONT 2,0\n*BIGFONT 2,0\n*0,4,b\n1,2,3,0\n*00041,1,a\n0\n", {},
       "2:1: " + followed},
      {"two *BIGFONT lines that end the text", "*BIGFONT 0,0\n*BIGFONT 0,0\n", {}, "2:1: " + followed},
      {"two *BIGFONT lines then a shape", "*BIGFONT 1,0\n*BIGFONT 1,0\n*00041,1,a\n0\n", {}, "2:1: " + followed},
      {"two *BIGFONT lines with a comment between, the second with other ranges",
       "*BIGFONT 2,0\n; note\n\n*BIGFONT 2,1,081,09F\n*0,4,b\n1,2,3,0\n*00041,1,a\n0\n", {}, "4:1: " + followed},
      {"a name that ends the text with a carriage return", "*00041,1,a\r", {},
       "1:11: error: a name cannot end with a carriage return\n"},
  };
  for (const ProblemCase& c : cases) ExpectProblems(c);
}

TEST(SourceEdges, WhatTheWholeFontLacksIsWarnedOf) {
  const std::string empty = "1:1: warning: the text holds no records; the font written is empty\n";
  const std::string noHeader = "1:1: warning: the text has no font-header record (*0,COUNT,NAME), so the font has no "
                               "height of its own\n";
  const ProblemCase cases[] = {
      {"an empty text", "", {}, empty, BuildFont(FontLayout(FontVariant::kShapes11))},
      {"comments and blank lines only", ";; a banner\n\n  ; more\n", {}, empty,
       BuildFont(FontLayout(FontVariant::kShapes11))},
      {"shapes without a font-header record", "*00041,1,a\n0\n", {}, noHeader,
       BuildFont(FontVariant::kShapes11, {Shape(0x41, "a", {0})})},
      {"a unifont without one names its own header", "*00041,4,a\n7,0102,0\n", {Variant::kUnifont},
       "1:1: warning: the text has no font-header record (*UNIFONT,COUNT,NAME), so the font has no height of its "
       "own\n",
       BuildFont(FontVariant::kUnifont10, {Shape(0x41, "a", {7, 1, 2, 0})})},
      {"the font-header record alone", kHeader, {}, "",
       LowestCode0(BuildFont(FontVariant::kShapes11, {Shape(0, "f", {1, 2, 3, 0})}))},
      {"a bigfont's font-header record after its *BIGFONT line", "*BIGFONT 1,0\n*0,4,b\n1,2,3,0\n", {}, "",
       BuildFont(FontVariant::kBigfont10, {Shape(0, "b", {1, 2, 3, 0})})},
      {"a text with an error has that error only", "*00041,1,a\n300\n", {},
       "2:1: error: '300' is out of range for a code or vector byte (0 to 255)\n"},
  };
  for (const ProblemCase& c : cases) ExpectProblems(c);
}

// A compiled font of any variant, whole or cut right after its signature, is one error about what it is.
TEST(SourceEdges, ACompiledFontIsToldInOneLine) {
  const struct {
    FontVariant variant;
    const char* name;
  } variants[] = {{FontVariant::kShapes10, "shapes 1.0"},
                  {FontVariant::kShapes11, "shapes 1.1"},
                  {FontVariant::kBigfont10, "bigfont 1.0"},
                  {FontVariant::kUnifont10, "unifont 1.0"}};
  for (const auto& v : variants) {
    const std::string expected = std::string("1:1: error: this is a compiled font (") + v.name +
                                 "), not source text; morlune turns it into source text\n";
    const std::string font =
        BuildFont(v.variant, {Shape(0, "Vormald", {6, 2, 0, 0, 0, 0}), Shape(0x41, "a", {2, 0x14, 0})});
    for (const std::string& given : {font, Signature(v.variant)}) {
      Compiled compiled = CompileText(given, {std::nullopt, true, true});
      EXPECT_EQ(compiled.problems, expected) << v.name;
      EXPECT_FALSE(compiled.font) << v.name;
    }
  }
}

}  // namespace
}  // namespace morlune::testing
