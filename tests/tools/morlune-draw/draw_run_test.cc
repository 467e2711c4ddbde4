// Whole runs of morlune-draw: options, messages and statuses; the output
// to a file, to a full disk; a line of text in each variant; pictures
// rendered by librsvg, with ink where the glyphs must put it.
#include <gtest/gtest.h>
#include <morlune/version.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <tuple>

#include "tests/e2e/golden_cases.h"
#include "tests/support/font_builder.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

const std::string kSource = MORLUNE_SOURCE_DIR "/";
const std::string kSample = kSource + "examples/strokes_shapes11.kqx";
const std::string kTryHelp = "Try 'morlune-draw --help' for more information.\n";

ProcessResult Draw(std::vector<std::string> args, const std::string& piped = "", const std::string& dir = "") {
  return RunProcess({std::move(args), piped.empty() ? StdinKind::kNone : StdinKind::kPipe, "", piped, {}, dir,
                     MORLUNE_DRAW_BINARY});
}

// The lines of a hand-worked listing whose codes are given, in that order.
std::string Lines(const std::string& listing, std::vector<std::string> codes) {
  std::string all = ReadFileBytes(kSource + "tests/src/drawing/golden/" + listing), picked;
  for (const std::string& code : codes) {
    std::size_t at = all.find(code + "\t");
    picked += all.substr(at, all.find('\n', at) + 1 - at);
  }
  return picked;
}

TEST(DrawRun, OptionsMessagesAndStatuses) {
  const std::string dir = MakeTempDir();
  const std::string sample = ReadFileBytes(kSample);
  auto badCodes = [](const std::string& value) {
    return "morlune-draw: --codes takes a range of hexadecimal codes A-B (A at most B, each 0 to FFFF) or one code, "
           "not '" + value + "'\n" + kTryHelp;
  };
  const struct {
    std::vector<std::string> args;
    std::string stdinBytes, out, err;
    int status;
  } rows[] = {
      {{"--version"}, "", "morlune-draw " MORLUNE_VERSION_STRING "\n", "", 0},
      {{"--frobnicate", kSample}, "", "", "morlune-draw: unknown option '--frobnicate'\n" + kTryHelp, 2},
      {{"--codes=50-41", kSample}, "", "", badCodes("50-41"), 2},
      {{"--codes=41-10000", kSample}, "", "", badCodes("41-10000"), 2},
      {{"--codes=0x41", kSample}, "", "", badCodes("0x41"), 2},
      // The source text's own form of a code, with its leading 0, names the same shape.
      {{"--list", "--codes", "00041", kSample}, "", Lines("strokes.list", {"0041"}), "", 0},
      {{"--list", "--codes", "00030-0000031", kSample}, "", Lines("strokes.list", {"0030", "0031"}), "", 0},
      // --encoding: one rule for every variant; the name is checked, used by a bigfont alone.
      {{"--text", "A", "--encoding", ""}, "", "", "morlune-draw: option '--encoding' needs the name of a code page\n" +
       kTryHelp, 2},
      {{"--text", "A", "--encoding", "NO-SUCH-PAGE", kSample}, "", "",
       "morlune-draw: the system knows no code page 'NO-SUCH-PAGE'\n" + kTryHelp, 2},
      {{"--list", "--text", "A", "--encoding", "CP932", kSample}, "", Lines("strokes.list", {"0041"}), "", 0},
      {{"--height", "0"}, "", "", "morlune-draw: --height takes a number above 0 and at most 1000, not '0'\n" + kTryHelp,
       2},
      {{kSample, "b.kqx"}, "", "", "morlune-draw: more than one FONT given: 'b.kqx'\n" + kTryHelp, 2},
      {{"--text", "A", "--codes", "41"}, "", "", "morlune-draw: --codes and --text cannot be used together\n" + kTryHelp, 2},
      {{"--encoding", "CP932"}, "", "", "morlune-draw: --encoding is for --text\n" + kTryHelp, 2},
      {{"--text", "\xC3"}, "", "", "morlune-draw: --text is not valid UTF-8\n" + kTryHelp, 2},
      {{"--text", "A", "--width-factor", "0", kSample}, "", "",
       "morlune-draw: --width-factor takes a number above 0 and at most 100, not '0'\n" + kTryHelp, 2},
      {{"--text", "A", "--oblique=-86", kSample}, "", "",
       "morlune-draw: --oblique takes an angle in degrees from -85 to 85, not '-86'\n" + kTryHelp, 2},
      {{"--oblique", "10", kSample}, "", "", "morlune-draw: --oblique is for --text\n" + kTryHelp, 2},
      {{"--bigfont", kSample, kSample}, "", "", "morlune-draw: --bigfont is for --text\n" + kTryHelp, 2},
      {{"--text", "A", "--bigfont", kSample, kSample}, "", "", "morlune-draw: " + kSample + ": refused as the bigfont: it is no bigfont\n", 1},
      {{dir + "/missing.kqx"}, "", "", "morlune-draw: " + dir + "/missing.kqx: cannot open: No such file or directory\n", 1},
      {{dir}, "", "", "morlune-draw: " + dir + ": cannot open: Is a directory\n", 1},
      {{"--list"}, "not a font", "", "morlune-draw: <stdin>: not a compiled shape font\n", 1},
      {{"--list", "-"}, sample, ReadFileBytes(kSource + "tests/src/drawing/golden/strokes.list"), "", 0},
      // Source text is compiled first: the same listing, or the text's problems.
      {{"--list"}, ReadFileBytes(kSource + "examples/strokes_shapes11.kqs"),
       ReadFileBytes(kSource + "tests/src/drawing/golden/strokes.list"), "", 0},
      {{"--list"}, ";; edited\n*00041,2,A\n2,8,0\n", "", "<stdin>:3:3: error: code 8 is cut short by the end of its record\n", 1},
      {{"--list", "--codes", "41-4c", kSample}, "", Lines("strokes.list", {"0041", "0045", "004C"}), "", 0},
      {{"--list", "--codes=31", "-o", "-", "--", kSample}, "", Lines("strokes.list", {"0031"}), "", 0},
  };
  for (const auto& row : rows) {
    ProcessResult run = Draw(row.args, row.stdinBytes);
    EXPECT_EQ(std::tie(run.out, run.err, run.status), std::tie(row.out, row.err, row.status)) << row.args[0];
  }
  ProcessResult help = Draw({"--help", "--frobnicate"});
  EXPECT_EQ(help.out.substr(0, 37) + std::to_string(help.status), "Usage: morlune-draw [options] [FONT]\n0");
  // The help names what else FONT may be and when the status is 1.
  EXPECT_NE(help.out.find("FONT may also be shape source text"), std::string::npos);
  EXPECT_NE(help.out.find("1 the input cannot be opened or\nread, is not a compiled shape font, or is source text "
                          "with errors"), std::string::npos);
}

// -o replaces the file only with a whole output; a device is written in place.
TEST(DrawRun, OutputFileWholeOrNotAtAll) {
  const std::string dir = MakeTempDir(), out = dir + "/sheet.svg";
  WriteFileBytes(out, "old");
  ProcessResult run = Draw({"-o", out, dir});
  EXPECT_EQ(std::tie(run.status, run.out), std::make_tuple(1, ""));
  EXPECT_EQ(ReadFileBytes(out), "old");
  run = Draw({"-o" + out, kSample});
  EXPECT_EQ(std::tie(run.status, run.out, run.err), std::make_tuple(0, "", ""));
  EXPECT_EQ(ReadFileBytes(out), Draw({kSample}).out);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "a part file was left behind";
  // -o naming the font through a link: refused, the font kept.
  WriteFileBytes(dir + "/in.kqx", ReadFileBytes(kSample));
  std::filesystem::create_symlink("in.kqx", dir + "/soft");
  run = Draw({"-o", "soft", "in.kqx"}, "", dir);
  EXPECT_EQ(std::tie(run.status, run.err),
            std::make_tuple(2, "morlune-draw: soft: refused as the output: it is the input file\n"));
  EXPECT_EQ(ReadFileBytes(dir + "/in.kqx"), ReadFileBytes(kSample));
  run = Draw({"--list", "-o", "/dev/full", kSample});
  EXPECT_EQ(std::tie(run.status, run.err),
            std::make_tuple(3, "morlune-draw: /dev/full: cannot write: No space left on device\n"));
  run = RunProcess({{"-c", "exec \"$0\" \"$1\" >/dev/full", MORLUNE_DRAW_BINARY, kSample}, StdinKind::kNone, "", "",
                    {}, "", "/bin/sh"});
  EXPECT_EQ(std::tie(run.status, run.err),
            std::make_tuple(3, "morlune-draw: <stdout>: cannot write: No space left on device\n"));
}

// The drawing's own warnings share the one limit with a source text's: a bigfont text whose *BIGFONT line
// counts 1 record (a warning) and whose 150 shapes each call a subshape the font lacks (one warning each). (The
// closing line's singular and plural are morlune-compile's test, through the same messages.)
TEST(DrawRun, WarningsShareTheOneLimit) {
  std::string source = "*BIGFONT 1,0\n*0,4,h\n0,0,0,0\n";
  for (int code = 0x100; code < 0x100 + 150; ++code) {
    char header[32];
    std::snprintf(header, sizeof header, "*0%04X,3,s\n7,0FF,0\n", code);
    source += header;
  }
  const std::string dir = MakeTempDir();
  WriteFileBytes(dir + "/F.kqs", source);
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--list", "F.kqs"},
                                               std::vector<std::string>{"-o", "F.svg", "F.kqs"}}) {
    ProcessResult run = Draw(args, "", dir);
    EXPECT_EQ(run.status, 0) << args[0];
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 101) << args[0];
    EXPECT_TRUE(run.err.starts_with("F.kqs:1:")) << run.err.substr(0, 80);
    EXPECT_NE(run.err.find("\nmorlune-draw: F.kqs: shape 0100: subshape 00FF is skipped: the font has no such shape\n"),
              std::string::npos);
    EXPECT_TRUE(run.err.ends_with("\nmorlune-draw: 51 more problems not shown.\n")) << args[0];
  }
}

// What the drawing could only guess is said: a shape cut short by the end of the file (drawn as far as it
// goes, whether the cut falls between items or inside one, called as a subshape too), and a line's text
// past ASCII taken as bytes for want of --encoding. A line in each variant, listed character by character;
// what the font lacks is told once and left out.
TEST(DrawRun, WarningsAndTextInEachVariant) {
  const std::string dir = MakeTempDir();
  auto cut = [](std::string font, std::size_t bytes) { return font.substr(0, font.size() - bytes); };
  const std::string fileEnds = "morlune-draw: F: shape 0041: the file ends inside shape 0041; it is drawn as far as "
                               "the file goes\n";
  const std::string asBytes = "morlune-draw: F: --text holds characters past ASCII and no --encoding names the font's "
                              "code page: its UTF-8 bytes are taken as the font's codes\n";
  const std::string runs = BuildFont(FontVariant::kShapes11, {Shape(0x41, "", {0x10, 0x10, 0x10, 0})});
  const std::string moves = BuildFont(FontVariant::kShapes11, {Shape(0x41, "", {8, 1, 2, 0})});
  const std::string called =
      BuildFont(FontVariant::kShapes11, {Shape(0x42, "", {7, 0x41, 0}), Shape(0x41, "", {0x10, 0x10, 0})});
  const struct {
    const char* what;
    std::string font;
    std::vector<std::string> args;  // before --list F
    std::string err;
    std::optional<std::string> out = std::nullopt;
  } rows[] = {
      {"whole", runs, {}, ""},
      {"cut between items", cut(runs, 2), {}, fileEnds},
      {"cut inside an item", cut(moves, 2), {},
       fileEnds + "morlune-draw: F: shape 0041: an item of shape 0041 runs past the end of its record; that record "
                  "ends there\n"},
      {"cut in a subshape", cut(called, 1), {"--codes", "42"},
       "morlune-draw: F: shape 0042: the file ends inside shape 0041; it is drawn as far as the file goes\n"},
      // A, then あ as UTF-8 E3 81 82: E3 opens an escape with 81, and 82 at the very end is a code of its own.
      {"bigfont text as bytes", GoldenBigfontFont(), {"--text", "A\xE3\x81\x82"},
       asBytes + "morlune-draw: F: shape E381: the font has no such shape; the character is left out\n"
                 "morlune-draw: F: shape 0082: the font has no such shape; the character is left out\n"},
      {"shapes text past ASCII", GoldenShapes10Font(), {"--text", "\xC3\x89!\xE2\x82\xAC\xE2\x82\xAC"},
       "morlune-draw: F: character U+20AC: the font's codes end at U+00FF; it is left out\n",
       Lines("shapes10.list", {"00C9", "0021"})},
      {"unifont text", GoldenUnifontFont(), {"--text", "\xE2\x84\xA6" "A\xF0\x9F\x98\x80"},
       "morlune-draw: F: character U+1F600: the font's codes end at U+FFFF; it is left out\n",
       Lines("unifont.list", {"2126", "0041"})},
      // Shift-JIS: あ is 82A0, 亜 889F, い 82A2 (an entry of length 0, so no record).
      {"bigfont text through its code page", GoldenBigfontFont(),
       {"--text", "\xE3\x81\x82\xE4\xBA\x9C" "A\xE3\x81\x84\xF0\x9F\x98\x80", "--encoding", "CP932"},
       "morlune-draw: F: character U+1F600: the code page has no such character; it is left out\n"
       "morlune-draw: F: shape 82A2: the font has no such shape; the character is left out\n",
       Lines("bigfont.list", {"82A0", "889F", "0041"})},
      {"bigfont text in ASCII", GoldenBigfontFont(), {"--text", "A,"}, "", Lines("bigfont.list", {"0041", "002C"})},
      // "L": up 6, down 6, right 4, on 2, each x moved by 2x + y. U+0081 is
      // C2 81: C2 a code of the font, 81 an escape byte at the end, a code
      // of the bigfont; neither has a shape.
      {"a bigfont beside the font", ReadFileBytes(kSample),
       {"--text", "L\xC2\x81", "--bigfont", kSource + "examples/strokes_bigfont.kqx", "--width-factor", "2",
        "--oblique", "45"},
       asBytes + "morlune-draw: F: shape 00C2: the font has no such shape; the character is left out\n"
                 "morlune-draw: F: shape 0081: the font has no such shape; the character is left out\n",
       "004C\t12,0\tM 6 6 L 0 0 L 8 0\n"},
  };
  for (const auto& row : rows) {
    WriteFileBytes(dir + "/F", row.font);
    std::vector<std::string> args = row.args;
    args.insert(args.end(), {"--list", "F"});
    ProcessResult run = Draw(args, "", dir);
    EXPECT_EQ(std::tie(run.err, run.status), std::make_tuple(row.err, 0)) << row.what;
    if (row.out) {
      EXPECT_EQ(run.out, *row.out) << row.what;
    }
  }
}

struct Pixels {
  int width = 0, height = 0;
  std::string rgb;
  // True where a pixel within one of (x, y) is grey to black: a line of the
  // glyph, not the coloured marks or the white ground.
  bool Ink(int x, int y) const {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        std::size_t at = (static_cast<std::size_t>(y + dy) * width + (x + dx)) * 3;
        if (at + 2 < rgb.size() && static_cast<unsigned char>(rgb[at]) < 160 &&
            static_cast<unsigned char>(rgb[at + 1]) < 160 && static_cast<unsigned char>(rgb[at + 2]) < 160) {
          return true;
        }
      }
    }
    return false;
  }
};

// librsvg renders the SVG on white; netpbm gives the pixels as a P6 image.
Pixels Render(const std::string& svg, const std::string& dir) {
  WriteFileBytes(dir + "/p.svg", svg);
  ProcessResult rendered = RunProcess({{"-b", "white", "-o", dir + "/p.png", dir + "/p.svg"}, StdinKind::kNone, "",
                                       "", {}, "", MORLUNE_RSVG_CONVERT});
  EXPECT_EQ(rendered.status, 0) << rendered.err;
  std::istringstream image(RunProcess({{dir + "/p.png"}, StdinKind::kNone, "", "", {}, "", MORLUNE_PNGTOPNM}).out);
  Pixels pixels;
  std::string magic;
  int depth = 0;
  image >> magic >> pixels.width >> pixels.height >> depth;
  image.get();
  pixels.rgb.assign(std::istreambuf_iterator<char>(image), {});
  EXPECT_EQ(magic + std::to_string(depth), "P6255");
  return pixels;
}

// A font 10 units high with one glyph: a 10 by 10 square from the origin,
// and on its top side a dome, the half circle (clockwise) from (0,10) to
// (10,10) with its top at (5,15). As a line of text at 100 px per height,
// 10 px a unit, the view reaches a quarter height (2.5 units) past the
// glyph: x px = (x + 2.5) 10, y px = (17.5 - y) 10. In the specimen at 40 px
// per height (4 a unit) the one cell is 84 wide (its minimum) and
// 14 + 15 x 4 + 8 = 82 high, below a caption 60 high; the glyph area, 40
// wide, is centred (the origin at x 22) and the baseline lies
// 14 + 4 + 15 x 4 = 78 below the cell's top: x px = 22 + 4x, y px = 138 - 4y.
TEST(DrawRun, PicturesPutInkWhereTheGlyphIs) {
  const std::string dir = MakeTempDir(), font = dir + "/dome.kqx";
  WriteFileBytes(font, BuildFont(FontVariant::kShapes11, {Shape(0, "Dome", {10, 0, 0, 0}),
                                                                     Shape(0x41, "", {0xA0, 0xA4, 0xA8, 0xAC, 2, 8, 0,
                                                                                      10, 1, 12, 10, 0, -127})}));
  const struct {
    std::vector<std::string> args;
    int width, height;
    std::vector<std::pair<int, int>> ink, blank;
  } rows[] = {
      {{"--text", "A", "--height", "100"}, 150, 200,
       {{25, 125}, {125, 125}, {75, 75}, {75, 175}, {75, 25}, {110, 40}},
       {{75, 125}, {75, 50}, {10, 100}, {140, 100}, {40, 35}}},
      {{"--height", "40"}, 560, 142,
       {{22, 118}, {62, 118}, {42, 98}, {42, 78}},  // the square's sides, its top, the dome's top
       {{42, 118}, {42, 90}, {10, 118}, {75, 118}, {100, 100}}},
  };
  for (const auto& row : rows) {
    std::vector<std::string> args = row.args;
    args.push_back(font);
    ProcessResult run = Draw(args);
    ASSERT_EQ(run.status, 0) << run.err;
    Pixels pixels = Render(run.out, dir);
    EXPECT_EQ(std::tie(pixels.width, pixels.height), std::tie(row.width, row.height));
    for (auto [x, y] : row.ink) EXPECT_TRUE(pixels.Ink(x, y)) << row.args[0] << " at " << x << "," << y;
    for (auto [x, y] : row.blank) EXPECT_FALSE(pixels.Ink(x, y)) << row.args[0] << " at " << x << "," << y;
  }
}

}  // namespace
}  // namespace morlune::testing
