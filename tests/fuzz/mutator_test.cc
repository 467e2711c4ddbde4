// The fuzzing tools against what the formats say: a font laid out from its
// records reads back as those records, a mutated font keeps a frame that
// reads to its end, and a header's count is set to the bytes its numbers
// make.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fontfile/record_walk.h"
#include "fuzz/font_model.h"
#include "fuzz/font_mutator.h"
#include "fuzz/plain_font.h"
#include "fuzz/source_mutator.h"

namespace morlune::fuzzing {
namespace {

using enum Variant;

ModelRecord Record(std::uint16_t code, std::string name, std::string spec, int skew = 0) {
  return {code, std::move(name), std::move(spec), skew};
}

std::string Described(const FontModel& font) {
  std::string text = std::to_string(static_cast<int>(font.kind)) + ":";
  for (const EscapeRangeEntry& range : font.escapeRanges) text += std::to_string(range.first) + "-" + std::to_string(range.last) + ",";
  for (const ModelRecord& record : font.records) {
    text += ' ';
    text += std::to_string(record.code);
    text += '/';
    text += record.name;
    text += '/';
    text += record.spec;
  }
  return text;
}

TEST(FontModel, ALaidOutFontReadsBackAsItsRecords) {
  struct Row {
    const char* what;
    FontModel font;
    FontModel readBack;
  };
  const FontModel shapes{kShapes11, {}, {Record(0, "T", std::string("\x04\x01\0\0", 4)), Record(0x41, "", "\x10\x20")}};
  const FontModel big{kBigfont, {{0x81, 0x9F}}, {Record(0x8241, "b", "\x10"), Record(0x41, "a", "\x20")}};
  const std::vector<Row> rows = {
      {"shapes 1.1, in index order", shapes, shapes},
      {"shapes 1.0", {kShapes10, {}, shapes.records}, {kShapes10, {}, shapes.records}},
      {"unifont, in file order", {kUnifont, {}, {Record(0x4E00, "x", "\x30"), Record(0x41, "", "")}},
       {kUnifont, {}, {Record(0x4E00, "x", "\x30"), Record(0x41, "", "")}}},
      {"bigfont: its walk takes ascending codes", big,
       {kBigfont, {{0x81, 0x9F}}, {Record(0x41, "a", "\x20"), Record(0x8241, "b", "\x10")}}},
      {"a length one short cuts the record's last byte", {kShapes11, {}, {Record(0x41, "", "\x10\x20", -1)}},
       {kShapes11, {}, {Record(0x41, "", "\x10")}}},
      {"a length past the file's end holds what the file has", {kShapes11, {}, {Record(0x41, "", "\x10\x20", 2)}},
       {kShapes11, {}, {Record(0x41, "", "\x10\x20")}}},
  };
  for (const Row& row : rows) {
    std::string bytes = WriteFontModel(row.font);
    std::optional<FontModel> read = ReadFontModel(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ASSERT_TRUE(read.has_value()) << row.what;
    EXPECT_EQ(Described(*read), Described(row.readBack)) << row.what;
  }
}

// The fuzzer's own byte mutation stands aside here: every input the font
// mutator hands back must still be a font whose records the walk reaches
// to the end.
std::size_t LeaveBytes(std::uint8_t*, std::size_t size, std::size_t) { return size; }

TEST(FontMutator, MutatedFontsKeepAFrameThatReadsToItsEnd) {
  const FontModel starts[] = {
      {kShapes11, {}, {Record(0, "T", std::string("\x04\x01\0\0", 4)), Record(0x41, "", std::string("\x10\x07\x42\x09\x01\x01\0\0", 8))}},
      {kBigfont, {{0x81, 0x9F}}, {Record(0, "B", std::string("\x08\0\0\0", 4)), Record(0x8241, "", std::string("\x0C\x04\0\x7F", 4))}},
      {kUnifont, {}, {Record(0, "U", std::string("\x04\x01\0\0\0\0", 6)), Record(0x4E00, "", "\x07\x4E\x01\x10")}},
  };
  for (const FontModel& start : starts) {
    std::string input = std::string(1, '\0') + WriteFontModel(start);
    for (unsigned seed = 1; seed <= 400; ++seed) {
      std::vector<std::uint8_t> buffer(input.begin(), input.end());
      buffer.resize(8192);
      std::size_t size = MutateFontInput(buffer.data(), input.size(), buffer.size(), seed, LeaveBytes);
      ASSERT_LE(size, buffer.size());
      std::optional<FontModel> read = ReadFontModel(buffer.data() + 1, size - 1);
      ASSERT_TRUE(read.has_value()) << Described(start) << " seed " << seed;
      std::size_t head = 0;
      while (buffer[1 + head] != 0x1A) ++head;
      FontWalk walk = WalkFontRecords(buffer.data() + 1, size - 1, head + 1, read->kind);
      EXPECT_EQ(walk.end, RecordStep::kEnd) << Described(start) << " seed " << seed;
      // Carry the mutations on from this input, as a fuzzer does.
      input.assign(buffer.begin(), buffer.begin() + static_cast<long>(size));
      if (input.size() > 4096) input = std::string(1, '\0') + WriteFontModel(start);
    }
  }
}

// Plain fonts are those whose text comes back the same through the
// compiler; each row breaks one of the conditions.
TEST(PlainFont, EveryConditionOfAPlainFontCounts) {
  const ModelRecord header = Record(0, "T", std::string("\x04\x01\x02\0", 4));
  const ModelRecord unit = Record(0x41, "", std::string("\x10\x09\x01\x01\0\0", 6));
  struct Row {
    const char* what;
    FontModel font;
    std::size_t cut;  // bytes taken off the end of the file
    std::optional<Variant> plain;  // none: not plain
  };
  const std::vector<Row> rows = {
      {"whole items, a header ending in 0", {kShapes11, {}, {header, unit}}, 0, kShapes11},
      {"shapes 1.0", {kShapes10, {}, {header, unit}}, 0, kShapes10},
      {"a bigfont header of five values", {kBigfont, {}, {Record(0, "B", std::string(5, '\0')), unit}}, 0, kBigfont},
      {"a header whose last value is not 0", {kShapes11, {}, {Record(0, "T", "\x04\x01\x02\x03"), unit}}, 0, std::nullopt},
      {"a header of three values", {kShapes11, {}, {Record(0, "T", std::string("\x04\x01\0", 3)), unit}}, 0, std::nullopt},
      {"a list left open", {kShapes11, {}, {header, Record(0x41, "", "\x09\x01\x01")}}, 0, std::nullopt},
      {"an operand past the declared length", {kShapes11, {}, {header, Record(0x41, "", "\x10\x08\x01", -1)}}, 0,
       std::nullopt},
      {"a name holding a line feed", {kShapes11, {}, {header, Record(0x41, "a\nb", "\x10")}}, 0, std::nullopt},
      {"a name ending in a carriage return", {kShapes11, {}, {header, Record(0x41, "a\r", "\x10")}}, 0, std::nullopt},
      {"a unifont without a header", {kUnifont, {}, {Record(0x41, "", "\x10")}}, 0, std::nullopt},
      {"a bigfont with two records of one code", {kBigfont, {}, {header, unit, unit}}, 0, std::nullopt},
      {"a bigfont whose last record is cut in its name", {kBigfont, {}, {header, Record(0x41, "ab", "\x10")}}, 3,
       std::nullopt},
      {"a shapes font whose last record is cut short", {kShapes11, {}, {header, unit}}, 2, std::nullopt},
  };
  for (const Row& row : rows) {
    std::string bytes = WriteFontModel(row.font);
    bytes.resize(bytes.size() - row.cut);
    EXPECT_EQ(PlainFontKind(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), row.plain) << row.what;
  }
}

// Bytes by the item grammar: a code or vector byte 1, a unifont's code 7
// operand 2, a long form 7 (the 0, a 16-bit code, x, y, w, h).
TEST(RecountedHeaders, EachCountBecomesTheBytesItsNumbersMake) {
  const std::pair<const char*, const char*> rows[] = {
      {"*00041,9,a\n2,8,(1,-1),0\n", "*00041,5,a\n2,8,(1,-1),0\n"},
      {"*UNIFONT,6,u\n4,1,0,0,0,0\n*00041,1,b\n7,0141,0\n", "*UNIFONT,6,u\n4,1,0,0,0,0\n*00041,4,b\n7,0141,0\n"},
      {"*00041,2,c\n7,(0,042,1,2,3,4),0\n", "*00041,9,c\n7,(0,042,1,2,3,4),0\n"},
      {"*00041,2,d\n1,0\n", "*00041,2,d\n1,0\n"},
      {"*00041,1,a\n1,2,0\n*00042,7,b\n0\n", "*00041,3,a\n1,2,0\n*00042,1,b\n0\n"},
  };
  for (const auto& [text, expected] : rows) EXPECT_EQ(RecountedHeaders(text), expected) << text;
}

}  // namespace
}  // namespace morlune::fuzzing
