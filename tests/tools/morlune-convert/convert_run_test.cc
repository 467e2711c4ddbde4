// Whole runs of morlune-convert: formats from names and options, standard
// streams, statuses and messages, output written whole or not at all, and
// imported fonts that morlune decompiles and morlune-compile rebuilds
// byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

const std::string kSource = MORLUNE_SOURCE_DIR "/";
const std::string kSample = kSource + "examples/strokes_shapes11.kqx";
const std::string kTryHelp = "Try 'morlune-convert --help' for more information.\n";

ProcessResult Convert(std::vector<std::string> args, const std::string& piped = "", const std::string& dir = "") {
  return RunProcess({std::move(args), piped.empty() ? StdinKind::kNone : StdinKind::kPipe, "", piped, {}, dir,
                     MORLUNE_CONVERT_BINARY});
}

TEST(ConvertRun, CommandLinesStatusesAndMessages) {
  const std::string dir = MakeTempDir();
  WriteFileBytes(dir + "/bad.kqs", "*0041,1,x\n300\n");
  const struct {
    std::vector<std::string> args;
    std::string err;  // the first line of standard error
    int status;
  } rows[] = {
      {{"--version"}, "", 0},
      {{}, "morlune-convert: INPUT and OUTPUT are needed", 2},
      {{kSample}, "morlune-convert: OUTPUT is needed", 2},
      {{kSample, "a.jhf", "b.jhf"}, "morlune-convert: only INPUT and OUTPUT may be given", 2},
      {{"--frob", kSample, "a.jhf"}, "morlune-convert: unknown option '--frob'", 2},
      {{"--to", "otf", kSample, "a.jhf"},
       "morlune-convert: unknown format 'otf' (kqx, kqs, svg, jhf, lff, ttf or woff2)", 2},
      {{"--tolerance", "-1", "a.jhf", "a.kqx"},
       "morlune-convert: --tolerance takes a number above 0, or a share like 1%, not '-1'", 2},
      {{"--height-units", "256", "a.jhf", "a.kqx"},
       "morlune-convert: --height-units takes a whole number from 1 to 255, not '256'", 2},
      {{"--variant", "shapes10", "a.jhf", "a.kqx"},
       "morlune-convert: unknown variant 'shapes10' (shapes11, unifont or bigfont)", 2},
      {{kSample, "a.otf"}, "morlune-convert: the format of 'a.otf' is not known: name it with --to", 2},
      {{kSample, "a.kqs"},
       "morlune-convert: one side must be a shape font (kqx, kqs) and the other an interchange font (svg, jhf, lff)", 2},
      {{dir + "/none.kqx", "a.jhf"}, "morlune-convert: " + dir + "/none.kqx: cannot read: No such file or directory", 2},
      {{dir, "a.jhf", "--from", "kqx"}, "morlune-convert: " + dir + ": cannot read: not a readable file", 2},
      {{dir + "/bad.kqs", "a.jhf"}, dir + "/bad.kqs:2:1: error: ", 1},  // as morlune-compile shows it
      {{"--variant", "bigfont", dir + "/../none.jhf", "a.kqx"}, "morlune-convert: " + dir + "/../none.jhf: cannot read: No such file or directory", 2},
      {{kSource + "examples/strokes_bigfont.kqx", "a.svg"},
       "morlune-convert: " + kSource + "examples/strokes_bigfont.kqx: cannot map its codes to characters: a "
       "bigfont's codes need --encoding to say their code page\n", 2},
      {{"--encoding", "NO-SUCH", kSample, "a.svg"},
       "morlune-convert: " + kSample + ": cannot map its codes to characters: unknown encoding 'NO-SUCH'", 2},
  };
  for (const auto& row : rows) {
    ProcessResult run = Convert(row.args, "", dir);
    EXPECT_EQ(run.status, row.status) << row.args.size() << " " << run.err;
    EXPECT_EQ(run.err.substr(0, row.err.size()), row.err);
    if (row.status == 2 && run.err.find("needs") == std::string::npos && row.args.size() < 4 &&
        run.err.find("cannot") == std::string::npos) {
      EXPECT_NE(run.err.find(kTryHelp), std::string::npos) << run.err;
    }
  }
  // OUTPUT by -o or --output is the second operand's file, byte for byte;
  // by both, or -o alone, a usage error.
  const std::string asJhf = Convert({"--to", "jhf", kSample, "-"}).out;
  ASSERT_FALSE(asJhf.empty());
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--to", "jhf", "-o", dir + "/o.jhf", kSample},
        std::vector<std::string>{kSample, "--output=" + dir + "/o.jhf"},
        std::vector<std::string>{"-o" + dir + "/o.jhf", kSample}}) {
    std::remove((dir + "/o.jhf").c_str());
    ProcessResult run = Convert(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(dir + "/o.jhf"), asJhf);
  }
  for (const auto& [args, err] :
       {std::pair{std::vector<std::string>{"-o", "a.jhf", kSample, "b.jhf"},
                  "morlune-convert: OUTPUT given twice: by -o and as an operand\n" + kTryHelp},
        std::pair{std::vector<std::string>{"-o", "a.jhf"}, "morlune-convert: INPUT is needed\n" + kTryHelp}}) {
    ProcessResult run = Convert(args, "", dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, err);
  }
  // An output that is the input, by another spelling of its path, is refused
  // before anything is read; the file stays as it was.
  WriteFileBytes(dir + "/same.kqx", ReadFileBytes(kSample));
  ProcessResult same = Convert({"--to", "jhf", dir + "/same.kqx", dir + "/./same.kqx"});
  EXPECT_EQ(same.status, 2);
  EXPECT_EQ(same.err, "morlune-convert: " + dir + "/./same.kqx: refused as the output: it is the input file\n");
  EXPECT_EQ(ReadFileBytes(dir + "/same.kqx"), ReadFileBytes(kSample));
}

TEST(ConvertRun, LossesOfTheTestFontToldByKind) {
  const std::string dir = MakeTempDir();
  // An SVG font keeps arcs and frames; what it loses of the test font is
  // the item for vertical text in its E, and the y of C's advance: the arc
  // from 45 degrees round to 315 on a circle of radius 5 ends 5 sin 45 below
  // its centre, itself 5 sin 45 below y = 9, then the pen moves 2 down.
  const std::string testFont = kSource + "tests/src/convert/fonts/arcs_frames.kqs";
  ProcessResult vertical = Convert({testFont, dir + "/af.svg"});
  EXPECT_EQ(vertical.status, 0);
  EXPECT_EQ(vertical.err,
            "morlune-convert: " + testFont + ": lost on the way to svg: advances moved: 1 (at most 0.07107 font units)\n"
            "morlune-convert: " + testFont + ": lost on the way to svg: items for vertical text only, left out: 1\n");
}

TEST(ConvertRun, StandardStreamsAndFormatsByOption) {
  const std::string font = ReadFileBytes(kSample);
  ProcessResult toJhf = Convert({"--to", "jhf", kSample, "-"});
  ASSERT_EQ(toJhf.status, 0) << toJhf.err;
  EXPECT_EQ(toJhf.out.substr(0, 10), "   32  1H]");
  // From standard input, the format named.
  ProcessResult fromPipe = Convert({"--from", "kqx", "--to", "jhf", "-", "-"}, font);
  EXPECT_EQ(fromPipe.status, 0);
  EXPECT_EQ(fromPipe.out, toJhf.out);
  // Back in, as source text on standard output: the sample's Hershey lines
  // come back exact, with no error at all.
  ProcessResult back = Convert({"--from", "jhf", "--to", "kqs", "-", "-"}, toJhf.out);
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(back.out.substr(0, 6), "*0,4,-");
  EXPECT_NE(back.err.find("21 units per capital height, largest error 0 (tolerance 0.21)"), std::string::npos)
      << back.err;
  EXPECT_EQ(Convert({"--from", "kqx", "-", "-"}, font).err,
            "morlune-convert: the format of '-' is not known: name it with --to\n" + kTryHelp);
}

TEST(ConvertRun, OutputWholeOrNotAtAll) {
  const std::string dir = MakeTempDir();
  // --strict: the glyphs go out as they are drawn, so a loss found on the
  // way drops what was written: the file keeps its old bytes, standard
  // output gets none; with nothing lost the whole font goes out.
  const std::string flattened = "morlune-convert: " + kSample + ": lost on the way to jhf: arcs flattened: 3 (at most ";
  const struct {
    std::vector<std::string> args;
    int status;
    bool written;
    std::string err;  // its start
  } strict[] = {
      {{"--strict", kSample, dir + "/out.jhf"}, 1, false, flattened},
      {{"--strict", kSample, "--to", "jhf", "-"}, 1, false, flattened},
      {{"--strict", kSample, dir + "/out.svg"}, 0, true, ""},
      {{"--strict", kSample, "--to", "svg", "-"}, 0, true, ""},
  };
  // The font is named by the output's base name: out, or the input's.
  const std::string svgOut = Convert({kSample, "--to", "svg", "-"}).out;
  ASSERT_EQ(Convert({kSample, dir + "/out.svg"}).status, 0);
  const std::string svgFile = ReadFileBytes(dir + "/out.svg");
  for (const auto& row : strict) {
    SCOPED_TRACE(row.args.back());
    WriteFileBytes(dir + "/out.jhf", "old");
    WriteFileBytes(dir + "/out.svg", "old");
    ProcessResult run = Convert(row.args);
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_TRUE(run.err.starts_with(row.err)) << run.err;
    bool toFile = row.args.back() != "-";
    std::string written = toFile ? svgFile : svgOut;
    EXPECT_EQ(toFile ? ReadFileBytes(row.args.back()) : run.out, row.written ? written : toFile ? "old" : "");
  }
  // Nothing is left beside the outputs.
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "out.jhf" || name == "out.svg") << name;
  }
  // No folder to write in: status 3, the system's reason last.
  ProcessResult missing = Convert({kSample, dir + "/no/such/out.jhf"});
  EXPECT_EQ(missing.status, 3);
  EXPECT_NE(missing.err.find("morlune-convert: " + dir + "/no/such/out.jhf: cannot create the temporary file beside "
                             "it: No such file or directory\n"),
            std::string::npos)
      << missing.err;
  if (std::filesystem::exists("/dev/full")) {
    ProcessResult full = Convert({kSample, "/dev/full", "--to", "svg"});
    EXPECT_EQ(full.status, 3);
    EXPECT_NE(full.err.find("No space left on device"), std::string::npos) << full.err;
  }
}

TEST(ConvertRun, ImportsNeverPassTheirToleranceSilently) {
  const std::string dir = MakeTempDir();
  // finer.lff, at 20% of its 9-unit capitals (1.8 units, 0.2 grid units a
  // grid unit): B's vertex (3, 3) lands on no grid point at 1 or 2 units
  // (off by 0.47, past 0.2 and 0.4). At 3 units A's line ends at
  // (150, 0.6), rounded to (150, 1) and cut at (75, 1), 0.5 off the line
  // drawn: the model's largest is 0.5, within 0.6, but the stop lies
  // 0.7 grid units (2.1 units) off the line read. At 4 units the end
  // (200, 0.8) rounds to (200, 1), the stop (100, 1) lies 0.6 grid units
  // (1.35 units) off it, within 0.8.
  WriteFileBytes(dir + "/finer.lff", "[0041] A\n0,0;450,1.8\n\n[0042] B\n0,0;3,3\n\n");
  // off.lff: a stem 0.01 right of where any grid up to 255 can put it
  // (0.28 grid units at 255, so it rounds to 0 on all of them).
  WriteFileBytes(dir + "/off.lff", "[0041] A\n0.01,0;0.01,9\n\n");
  // swing.lff: an arc of bulge 1200 on a chord of 1 runs round a circle of
  // radius (1 + 1200^2) / 4800 = 300 whose centre lies 300 below the chord:
  // it reaches 600 units down, past 64 capitals (576).
  WriteFileBytes(dir + "/swing.lff", "[0041] A\n0,0;1,0,A1200\n\n");
  WriteFileBytes(dir + "/space.jhf", "   32  1JZ\n");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string report;  // the first line, from the file's name, up to the compiled size
    std::string after;   // the lines after it
  } rows[] = {
      {{"--tolerance", "20%", "finer.lff", "finer.kqx"}, 0,
       "finer.lff: 3 glyphs, 4 units per capital height, largest error 1.35 (tolerance 1.8)", ""},
      {{"space.jhf", "space.kqx"}, 0, "space.jhf: 1 glyph, 21 units per capital height, largest error 0 (tolerance 0.21)",
       ""},
      {{"--tolerance", "0.001", "off.lff", "off.kqx"}, 1,
       "off.lff: cannot be made a shape font: no grid up to 255 units holds every stroke within the tolerance "
       "0.001 (largest error 0.01, the glyph of U+0041); --height-units 255 takes that grid anyway",
       ""},
      // The grid asked for is written, and the error told.
      {{"--tolerance", "0.001", "--height-units", "20", "off.lff", "off.kqx"}, 0,
       "off.lff: 2 glyphs, 20 units per capital height, largest error 0.01 (tolerance 0.001)",
       "morlune-convert: off.lff: the largest error 0.01 passes the tolerance 0.001 on a grid of 20 units (the "
       "glyph of U+0041)\n"},
      {{"swing.lff", "swing.kqx"}, 1,
       "swing.lff: cannot be made a shape font: the glyph of U+0041 reaches farther than 64 capital heights from "
       "its origin",
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    ProcessResult run = Convert(row.args, "", dir);
    EXPECT_EQ(run.status, row.status);
    std::size_t lineEnd = run.err.find('\n') + 1;
    std::string report = "morlune-convert: " + row.report;
    EXPECT_EQ(run.err.substr(0, report.size()), report);
    EXPECT_EQ(run.err.substr(lineEnd), row.after);
    EXPECT_EQ(FileExists(dir + "/" + row.args.back()), row.status == 0);
    std::filesystem::remove(dir + "/" + row.args.back());
  }
}

// A file its reader takes leniently is read as that reader takes it and
// told line by line; --strict refuses it and writes nothing. A file with
// no glyph is no font.
TEST(ConvertRun, WhatStraysFromTheFormatIsToldAndStrictRefusesIt) {
  const std::string dir = MakeTempDir();
  WriteFileBytes(dir + "/stray.lff",
                 "[0041] A\n0,0;3,9;6,0\n\n[[0042] B\n0,0;6.,1.5A.41\n\n[0041] A\n0,0;9,9\n\n");
  WriteFileBytes(dir + "/empty.lff", "");
  const std::string stray = "morlune-convert: stray.lff: ";
  const std::string notes = stray + "glyph headers read from their first run of hexadecimal digits: 1 (line 4)\n" +
                            stray + "coordinates or bulges that are not numbers, read as 0: 1 (line 5)\n" + stray +
                            "glyphs for a code given before, kept in place of the earlier one: 1 (line 7)\n";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;  // up to the import's report, or whole
  } rows[] = {
      {{"stray.lff", "stray.kqx"}, 0, notes + stray + "3 glyphs, "},
      {{"--strict", "stray.lff", "stray.kqx"}, 1,
       notes + stray + "not written: --strict and the input is not read whole as written\n"},
      {{"empty.lff", "empty.kqx"}, 1,
       "morlune-convert: empty.lff: cannot be read as lff: no glyph found: no [code] line followed by strokes\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args[row.args.size() - 2]);
    ProcessResult run = Convert(row.args, "", dir);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.err.substr(0, row.err.size()), row.err);
    if (row.status != 0) {
      EXPECT_EQ(run.err, row.err);
    }
    EXPECT_EQ(FileExists(dir + "/" + row.args.back()), row.status == 0);
    std::filesystem::remove(dir + "/" + row.args.back());
  }
}

// An LFF's glyphs wait for its header, which needs them all: in memory,
// past 1 MiB in a scratch file beside the output (in the temporary folder
// for standard output), drawn again where none can be made. The text is the
// same every way, and no scratch file is left.
TEST(ConvertRun, LffGlyphsWaitForTheHeaderAndGoOutWhole) {
  const std::string dir = MakeTempDir();
  std::filesystem::create_directories(dir + "/tmp");
  // Capitals 9 units tall: the file's units are the font's. Each glyph of
  // the large font zigzags from 0,0 to 80,0 in 80 strokes and ends at 82:
  // its letter spacing is 2; no space, so the reader's word spacing.
  std::string source = "*UNIFONT,6,Zigzag\n9,2,0,0,0,0\n";
  std::string zigzag = "0,0", strokes = "1,";
  for (int k = 1; k <= 80; ++k) {
    zigzag.append(";").append(std::to_string(k)).append(k % 2 != 0 ? ",9" : ",0");
    strokes += k % 2 != 0 ? "8,(1,9)," : "8,(1,-9),";
  }
  std::string expected = "# Format:            single-line font\n# Name:              Zigzag\n"
                         "# Encoding:          UTF-8\n# LetterSpacing:     2\n# WordSpacing:       6.75\n"
                         "# LineSpacingFactor: 1\n\n";
  char code[16];
  for (char32_t c = 0x4E00; c < 0x4E00 + 4000; ++c) {
    std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(c));
    source.append("*0").append(code).append(",246,g\n").append(strokes).append("2,8,(2,0),0\n");
    const char utf8[] = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                         static_cast<char>(0x80 | (c & 0x3F)), '\0'};
    expected.append("[").append(code).append("] ").append(utf8).append("\n").append(zigzag).append("\n\n");
  }
  ASSERT_GT(expected.size(), std::size_t{1} << 20);
  WriteFileBytes(dir + "/zigzag.kqs", source);
  const struct {
    std::vector<std::string> args;
    const char* temporaryFolder;
  } rows[] = {
      {{dir + "/zigzag.kqs", dir + "/out.lff"}, "none"},
      {{dir + "/zigzag.kqs", "--to", "lff", "-"}, "tmp"},
      {{dir + "/zigzag.kqs", "--to", "lff", "-"}, "none"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.back() + ", TMPDIR " + row.temporaryFolder);
    ProcessResult run = RunProcess({row.args, StdinKind::kNone, "", "", {{"TMPDIR", dir + "/" + row.temporaryFolder}},
                                    dir, MORLUNE_CONVERT_BINARY});
    EXPECT_EQ(run.status, 0) << run.err;
    std::string written = row.args.back() == "-" ? run.out : ReadFileBytes(dir + "/out.lff");
    // Compared whole, told by their sizes: the text runs to megabytes.
    EXPECT_TRUE(written == expected) << written.size() << " bytes against " << expected.size();
    EXPECT_TRUE(std::filesystem::is_empty(dir + "/tmp"));
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == "zigzag.kqs" || name == "out.lff" || name == "tmp") << name;
    }
  }
}

// The fonts installed on this machine (Hershey lines, SVG fonts, and the
// single-line fonts a drafting program keeps in a fonts folder of its own
// under /usr/share) compile within their tolerance, every character of the
// first two kept (what a reader takes otherwise than as written is told,
// not refused); morlune's text of each compiles back to the very same
// bytes, morlune-check finds nothing to warn of, and each goes back out to
// its own format with nothing lost.
TEST(ConvertRun, InstalledFontsRoundTrip) {
  std::vector<std::string> inputs;
  auto take = [&inputs](const std::filesystem::path& folder, const char* extension) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      if (entry.path().extension() == extension) inputs.push_back(entry.path());
    }
  };
  take("/usr/share/hershey-fonts", ".jhf");
  take("/usr/share/inkscape/extensions/svg_fonts", ".svg");
  std::error_code error;
  for (const auto& share : std::filesystem::directory_iterator("/usr/share", error)) take(share.path() / "fonts", ".lff");
  if (inputs.empty()) GTEST_SKIP() << "no Hershey, SVG or single-line fonts installed";
  const std::string dir = MakeTempDir();
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    std::string extension = std::filesystem::path(input).extension().string();
    ProcessResult run = Convert({input, dir + "/font.kqx"});
    ASSERT_EQ(run.status, 0) << run.err;
    if (extension != ".lff") {  // single-line fonts hold characters past any variant's codes
      EXPECT_EQ(run.err.find(" left out: the variant's codes"), std::string::npos) << run.err;
    }
    ProcessResult text = RunProcess({{dir + "/font.kqx"}, StdinKind::kNone, "", "", {}, "", ""});
    ASSERT_EQ(text.status, 0);
    ProcessResult again = RunProcess({{"--drop-default-names", "-o", dir + "/again.kqx"}, StdinKind::kPipe, "",
                                      text.out, {}, "", MORLUNE_COMPILE_BINARY});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(ReadFileBytes(dir + "/again.kqx"), ReadFileBytes(dir + "/font.kqx"));
    ProcessResult check = RunProcess({{"--fail-on", "WARN", dir + "/font.kqx"}, StdinKind::kNone, "", "", {}, "",
                                      MORLUNE_CHECK_BINARY});
    EXPECT_EQ(check.status, 0) << check.out;
    ProcessResult back = Convert({"--strict", dir + "/font.kqx", dir + "/back" + extension});
    EXPECT_EQ(back.status, 0) << back.err;
  }
}

}  // namespace
}  // namespace morlune::testing
