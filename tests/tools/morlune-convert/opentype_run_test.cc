// Whole runs of morlune-convert out to OpenType and WOFF2: the report line,
// the file it describes, the options that shape it, --strict and the
// formats it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

const std::string kSource = MORLUNE_SOURCE_DIR "/";
// Ten glyphs, 6 units to the capital, named "Sample strokes": 226 output
// units per font unit, so the capital is 1356 units, the default pen a
// fourteenth of it (96.86) and the tolerance 0.5% of it (6.78).
const std::string kSample = kSource + "examples/strokes_shapes11.kqx";

ProcessResult Convert(std::vector<std::string> args, std::vector<std::pair<std::string, std::string>> env = {}) {
  return RunProcess({std::move(args), StdinKind::kNone, "", "", std::move(env), "", MORLUNE_CONVERT_BINARY});
}

// The name as the name table stores it: UTF-16BE.
std::string Utf16Be(const std::string& ascii) {
  std::string wide;
  for (char c : ascii) {
    wide.push_back('\0');
    wide.push_back(c);
  }
  return wide;
}

std::string LastLine(const std::string& text) {
  std::size_t end = text.size() - (!text.empty() && text.back() == '\n' ? 1 : 0);
  std::size_t start = text.rfind('\n', end == 0 ? 0 : end - 1);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1));
}

TEST(OpenTypeRun, TheReportDescribesTheFileWritten) {
  const std::string dir = MakeTempDir();
  const struct {
    std::vector<std::string> args;
    std::string path;
    std::string signature;  // the file's first four bytes
    std::string report;     // the last line up to the size
    std::string measures;   // from the tolerance on
  } rows[] = {
      {{kSample, dir + "/a.ttf"}, dir + "/a.ttf", std::string("\0\1\0\0", 4), "11 glyphs, ",
       "(tolerance 6.78, pen 96.86)"},
      {{kSample, dir + "/a.woff2"}, dir + "/a.woff2", "wOF2", "11 glyphs, ", "(tolerance 6.78, pen 96.86)"},
      {{"--to", "ttf", "--pen-width", "113", "--tolerance", "1%", kSample, dir + "/b.font"}, dir + "/b.font",
       std::string("\0\1\0\0", 4), "11 glyphs, ", "(tolerance 13.56, pen 113)"},
      {{"--pen-width=10%", "--tolerance=4", kSample, dir + "/c.ttf"}, dir + "/c.ttf", std::string("\0\1\0\0", 4),
       "11 glyphs, ", "(tolerance 4, pen 135.6)"},
  };
  for (const auto& row : rows) {
    ProcessResult run = Convert(row.args);
    ASSERT_EQ(run.status, 0) << run.err;
    std::string bytes = ReadFileBytes(row.path);
    ASSERT_GE(bytes.size(), 12u);
    EXPECT_EQ(bytes.substr(0, 4), row.signature);
    std::string line = LastLine(run.err);
    std::string expected = "morlune-convert: " + kSample + ": " + row.report + std::to_string(bytes.size()) +
                           " bytes; outline within ";
    EXPECT_EQ(line.substr(0, expected.size()), expected) << line;
    EXPECT_EQ(line.substr(line.size() - std::min(line.size(), row.measures.size())), row.measures) << line;
    EXPECT_EQ(run.err.find("Compressed"), std::string::npos) << "the packer's own chatter leaked: " << run.err;
  }
}

TEST(OpenTypeRun, NamesDatesAndStandardOutput) {
  const std::string dir = MakeTempDir();
  ASSERT_EQ(Convert({kSample, dir + "/own.ttf"}).status, 0);
  ASSERT_EQ(Convert({"--family", "Drafting Pen", kSample, dir + "/named.ttf"}).status, 0);
  std::string own = ReadFileBytes(dir + "/own.ttf");
  std::string named = ReadFileBytes(dir + "/named.ttf");
  EXPECT_NE(own.find(Utf16Be("Sample strokes")), std::string::npos);
  EXPECT_NE(named.find(Utf16Be("Drafting Pen")), std::string::npos);
  EXPECT_EQ(named.find(Utf16Be("Sample strokes")), std::string::npos);
  // The same font gives the same bytes, to a file or standard output; a
  // build date asked for changes them.
  ProcessResult piped = Convert({"--to", "ttf", kSample, "-"});
  ASSERT_EQ(piped.status, 0);
  EXPECT_EQ(piped.out, own);
  ProcessResult dated = Convert({"--to", "ttf", kSample, "-"}, {{"SOURCE_DATE_EPOCH", "1700000000"}});
  ASSERT_EQ(dated.status, 0);
  EXPECT_EQ(dated.out.size(), own.size());
  EXPECT_NE(dated.out, own);
}

TEST(OpenTypeRun, RefusalsAndStrict) {
  const std::string dir = MakeTempDir();
  WriteFileBytes(dir + "/font.ttf", std::string("\0\1\0\0", 4));
  // "A" as Hershey lines, imported before it is outlined.
  WriteFileBytes(dir + "/a.jhf", "   65  3MWM[W[\n");
  const struct {
    std::vector<std::string> args;
    std::string err;  // the start of the first line
    int status;
    std::string written;  // a file that must exist afterwards, or ""
  } rows[] = {
      {{dir + "/font.ttf", dir + "/x.kqx"}, "morlune-convert: cannot read ttf: it is an export format", 2, ""},
      {{"--from", "woff2", dir + "/font.ttf", dir + "/x.ttf"},
       "morlune-convert: cannot read woff2: it is an export format", 2, ""},
      {{"--pen-width", "0", kSample, dir + "/x.ttf"},
       "morlune-convert: --pen-width takes a number above 0, or a share like 7%, not '0'", 2, ""},
      {{"--pen-width", "%", kSample, dir + "/x.ttf"},
       "morlune-convert: --pen-width takes a number above 0, or a share like 7%, not '%'", 2, ""},
      {{"--family", "", kSample, dir + "/x.ttf"}, "morlune-convert: option '--family' needs a name", 2, ""},
      // --encoding reaches the OpenType writer too.
      {{"--encoding", "NO-SUCH", kSample, dir + "/x.ttf"},
       "morlune-convert: " + kSample + ": cannot map its codes to characters: unknown encoding 'NO-SUCH'", 2, ""},
      // A tolerance finer than the whole-unit grid can keep.
      {{"--strict", "--tolerance", "0.0625", kSample, dir + "/x.ttf"}, "morlune-convert: " + kSample + ": 11 glyphs, ",
       1, ""},
      {{"--strict", kSample, dir + "/strict.ttf"}, "morlune-convert: " + kSample + ": 11 glyphs, ", 0,
       dir + "/strict.ttf"},
      {{dir + "/a.jhf", dir + "/a.ttf"}, "morlune-convert: " + dir + "/a.jhf: ", 0, dir + "/a.ttf"},
  };
  for (const auto& row : rows) {
    ProcessResult run = Convert(row.args);
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_EQ(run.err.substr(0, row.err.size()), row.err);
    if (!row.written.empty()) {
      EXPECT_TRUE(FileExists(row.written)) << row.written;
    }
  }
  EXPECT_FALSE(FileExists(dir + "/x.ttf"));
  EXPECT_FALSE(FileExists(dir + "/x.kqx"));
}

}  // namespace
}  // namespace morlune::testing
