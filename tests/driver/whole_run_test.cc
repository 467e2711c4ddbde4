// Whole runs of the morlune executable: every way a run ends, the option
// grammar, the heads of file it accepts and refuses, and which source every
// text comes from (the built-in table, a library without texts, a library
// with other texts).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "driver/message_catalog.h"
#include "tests/support/process_run.h"

namespace morlune::testing {
namespace {

// The statuses as the user sees them.
constexpr int kStatusDumped = 0;
constexpr int kStatusRefused = 1;

// ---------------------------------------------------------------------------
// Compiled fonts, byte by byte.

std::string Word(unsigned value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string Dword(std::uint32_t value) { return Word(value & 0xFFFF) + Word(value >> 16); }

const std::string kEndOfHead = "\x1A";
const std::string kZeroByte(1, '\0');

// The signature texts, indexed by variant: 0 shapes 1.0, 1 shapes 1.1,
// 2 bigfont 1.0, 3 unifont 1.0.
const std::string kSignature[4] = {
    "Vormald-86 shapes 1.0\r\n",
    "Vormald-86 shapes 1.1\r\n",
    "Vormald-86 bigfont 1.0\r\n",
    "Vormald-86 unifont 1.0\r\n",
};

// Shapes header: two words that are read and ignored, then the index count.
std::string ShapesHeader(unsigned count) { return Word(0x0201) + Word(0x0403) + Word(count); }

// Bigfont header: the index entry size, the entry count, the escape range
// count (no ranges follow here).
std::string BigfontHeader(unsigned entrySize, unsigned entryCount) {
  return Word(entrySize) + Word(entryCount) + Word(0);
}

// The smallest body of each variant: a header that announces no record, so
// that the run ends right after the banner.
std::string EmptyBody(int variant) {
  switch (variant) {
    case 0:
    case 1:
      return ShapesHeader(0);
    case 2:
      return BigfontHeader(8, 0);
    default:
      return Word(0);  // unifont record count
  }
}

std::string EmptyFont(int variant) { return kSignature[variant] + kEndOfHead + EmptyBody(variant); }

// A shapes 1.1 font of one shape whose header line shows both option flags:
// code 0x4142 ("AB"), stored without a name and 1 byte long (just the name's
// terminating zero). Its counter is 1 - 1 = 0, so nothing follows the header
// line, and its default name is "unspecified", or "esc:AB" under -e.
std::string ProbeFont() {
  return kSignature[1] + kEndOfHead + ShapesHeader(1) +
         Word(0x4142) + Word(1) +  // index entry: code, length
         kZeroByte;                // the record: an empty name
}

// The probe shape's header line: code "*0" + four hex digits, or "*" +
// decimal under -d (0x4142 is 16706); counter; name.
const std::string kPlainLine = "*04142,0,unspecified\n";
const std::string kDecimalLine = "*16706,0,unspecified\n";
const std::string kEscapedLine = "*04142,0,esc:AB\n";
const std::string kDecimalEscapedLine = "*16706,0,esc:AB\n";

// ---------------------------------------------------------------------------
// Where the texts of a run come from, and what they are.

enum class LibraryPlace {
  kUnset,               // LD_LIBRARY_PATH unset
  kFolderWithout,       // on the path: a folder without the library
  kNotALibrary,         // on the path: a file named KelvoRes.so that is no library
  kFolder,              // on the path: the folder of a real library
};

struct MessageSource {
  const char* name;
  LibraryPlace place;
  std::string folder;  // for kFolder
  // Texts written as formats, as they come out ("%%" already made "%").
  std::string banner;
  std::string usage;
  std::string synopsis;
  // Texts of the error lines, as stored: each goes into "morlune: %s.\n".
  std::string cannotOpenOutput, cannotOpenInput, notAFont, oldRevision;
  std::string noShapeIndex, noHashTable, badEntrySize;
};

// Test names and failure messages show the source by its name.
void PrintTo(const MessageSource& source, std::ostream* os) { *os << source.name; }

// Id of the fixed "Seek error" line, which no message source changes.
constexpr unsigned kSeekError = 0;

std::string ErrorLine(const std::string& text) { return "morlune: " + text + ".\n"; }

std::string ErrorLineFor(const MessageSource& source, unsigned id) {
  switch (id) {
    case IDS_CANNOT_OPEN_OUTPUT: return ErrorLine(source.cannotOpenOutput);
    case IDS_CANNOT_OPEN_INPUT: return ErrorLine(source.cannotOpenInput);
    case IDS_NOT_A_FONT_FILE: return ErrorLine(source.notAFont);
    case IDS_OLD_REVISION: return ErrorLine(source.oldRevision);
    case IDS_NO_SHAPE_INDEX: return ErrorLine(source.noShapeIndex);
    case IDS_NO_HASH_TABLE: return ErrorLine(source.noHashTable);
    case IDS_BAD_ENTRY_SIZE: return ErrorLine(source.badEntrySize);
    case kSeekError: return ErrorLine("Seek error");
  }
  ADD_FAILURE() << "no error line for " << id;
  return {};
}

MessageSource BuiltInSource(const char* name, LibraryPlace place) {
  MessageSource source{name, place, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
  source.banner = ";;\n;;  Vormald KQS file generated by morlune.exe\n;;\n\n";
  source.synopsis = "Usage: morlune [-?de] [-o output] [input]\n";
  // The second usage line's wording is the program's own: one line.
  source.usage = std::string("morlune.exe - convert Vormald KQX files to KQS format\n") +
                 BuiltInMessage(IDS_USAGE_OWNER) +
                 "Version 1.4\n" +
                 source.synopsis +
                 " -?:      display this message\n"
                 " -d:      use decimal character codes\n"
                 " -e:      show escaped characters\n"
                 " -o file: write output to 'file'\n";
  source.cannotOpenOutput = "Cannot open output file";
  source.cannotOpenInput = "Cannot open input file";
  source.notAFont = "Not a valid KQX file";
  source.oldRevision = "Quen 10 file output in Quen 11 format";
  source.noShapeIndex = "Could not read shape index";
  source.noHashTable = "Could not load hash table";
  source.badEntrySize = "Invalid hash table entry size";
  return source;
}

// A loaded library that lacks every text: empty error-line texts, and the
// banner, usage lines and synopsis reply write nothing.
MessageSource NoMessagesSource() {
  return {"LibraryWithoutTexts", LibraryPlace::kFolder, MORLUNE_NO_MESSAGES_DIR,
          {}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
}

// The texts of libraries/other_messages.cc, each worked through its rule.
MessageSource OtherMessagesSource() {
  MessageSource source{"LibraryWithOtherTexts", LibraryPlace::kFolder, MORLUNE_OTHER_MESSAGES_DIR,
                       {}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
  // ";; Quelltext, zu 100%% von morlune %s erzeugt\n;; \xFF\n\n"
  source.banner = ";; Quelltext, zu 100% von morlune %s erzeugt\n;; \xFF\n\n";
  // "Aufruf: morlune [-?de] [-o ausgabe] [eingabe] %s%%\n"
  source.synopsis = "Aufruf: morlune [-?de] [-o ausgabe] [eingabe] %s%\n";
  source.usage = std::string("morlune.exe - wandelt KQX-Dateien in KQS-Quelltext\n") +
                 "Nur zum Testen, 50% %d\n" +  // "50%% %d": one pair, one stray
                 "Fassung 1.4 %%d\n" +         // "%%%d": a pair, then a stray "%"
                 source.synopsis +
                 " -?:      diese Hilfe\n"
                 " -d:      dezimale Zeichencodes\n"
                 " -e:      Ersatznamen zeigen\n"
                 " -o datei: Ausgabe nach 'datei' %\n";  // a lone "%" stands
  // Error-line texts are arguments, never formats: "%s" and "%%" stay.
  source.cannotOpenOutput = "Ausgabedatei %s l\xE4sst sich nicht \xF6" "ffnen (100%%)";
  source.cannotOpenInput = "Eingabedatei l\xE4sst sich nicht \xF6" "ffnen";
  source.notAFont = "Keine g\xFCltige KQX-Datei";
  source.oldRevision = "Quen-10-Datei im Format Quen 11 ausgegeben";
  source.noShapeIndex = "Formenverzeichnis nicht lesbar";
  source.noHashTable = "Streutabelle nicht ladbar";
  source.badEntrySize = "Eintragsgr\xF6\xDF" "e der Streutabelle ung\xFCltig";
  return source;
}

// ---------------------------------------------------------------------------
// The fixture: one fresh working folder per test, holding the font "font".
// A real library (the one with other texts) also lies in the working folder,
// where the loader must never look.

class WholeRun : public ::testing::TestWithParam<MessageSource> {
 protected:
  void SetUp() override {
    dir_ = MakeTempDir();
    WriteFileBytes(Path("font"), ProbeFont());
    std::filesystem::copy_file(MORLUNE_OTHER_MESSAGES_FILE, Path("KelvoRes.so"));
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  std::string LibraryPath() {
    const MessageSource& source = GetParam();
    switch (source.place) {
      case LibraryPlace::kUnset:
        return {};
      case LibraryPlace::kFolderWithout:
        std::filesystem::create_directory(Path("empty-folder"));
        return Path("empty-folder");
      case LibraryPlace::kNotALibrary:
        std::filesystem::create_directory(Path("junk"));
        WriteFileBytes(Path("junk/KelvoRes.so"), "no shared object here\n");
        return Path("junk");
      case LibraryPlace::kFolder:
        return source.folder;
    }
    return {};
  }

  ProcessResult Run(std::vector<std::string> args, StdinKind stdinKind = StdinKind::kNone,
                    const std::string& stdinData = {}) {
    ProcessRequest request;
    request.args = std::move(args);
    request.stdinKind = stdinKind;
    if (stdinKind == StdinKind::kFile) request.stdinFile = stdinData;
    if (stdinKind == StdinKind::kPipe) request.stdinBytes = stdinData;
    // An empty value leaves the variable unset in the child.
    request.env = {{"LD_LIBRARY_PATH", LibraryPath()}};
    request.workingDirectory = dir_;
    return RunProcess(request);
  }

  std::string dir_;
};

void ExpectResult(const ProcessResult& got, const std::string& out, const std::string& err, int status) {
  EXPECT_EQ(got.out, out);
  EXPECT_EQ(got.err, err);
  EXPECT_EQ(got.status, status);
}

// ---------------------------------------------------------------------------
// Runs that end before any input is read: usage, a bad letter, an output or
// input that cannot be opened. The probe font waits on a pipe each time; no
// banner anywhere shows that nothing of it was read.

enum class EarlyEnd { kUsage, kSynopsis, kCannotOpenOutput, kCannotOpenInput };

struct EarlyEndCase {
  const char* what;
  std::vector<std::string> args;
  EarlyEnd end;
  std::vector<std::string> emptyFiles;   // created (or emptied) and left empty
  std::vector<std::string> absentFiles;  // never created
};

TEST_P(WholeRun, EndsBeforeReadingInput) {
  const MessageSource& source = GetParam();
  const EarlyEndCase cases[] = {
      {"usage", {"-?"}, EarlyEnd::kUsage, {}, {}},
      {"usage after a good letter", {"-d?"}, EarlyEnd::kUsage, {}, {}},
      {"letters after ? are never looked at", {"-?x"}, EarlyEnd::kUsage, {}, {}},
      {"usage among arguments", {"-d", "-?", "font"}, EarlyEnd::kUsage, {}, {}},
      {"usage on standard output despite -o", {"-o", "out", "-?"}, EarlyEnd::kUsage, {"out"}, {}},
      {"arguments after ? are never looked at", {"-?", "-o", "out"}, EarlyEnd::kUsage, {}, {"out"}},
      {"letter -", {"--"}, EarlyEnd::kSynopsis, {}, {}},
      {"letters are case-sensitive", {"-D"}, EarlyEnd::kSynopsis, {}, {}},
      {"bad letter before ?", {"-x?"}, EarlyEnd::kSynopsis, {}, {}},
      {"bad letter after good ones", {"-dex", "font"}, EarlyEnd::kSynopsis, {}, {}},
      {"capital O is no output option", {"-O", "out"}, EarlyEnd::kSynopsis, {}, {"out"}},
      {"output opened before the bad letter", {"-o", "out", "-y"}, EarlyEnd::kSynopsis, {"out"}, {}},
      {"a byte above 0x7F is a bad letter", {"-\xE9"}, EarlyEnd::kSynopsis, {}, {}},
      {"-o last", {"-o"}, EarlyEnd::kCannotOpenOutput, {}, {}},
      {"-o last after letters", {"-de", "-o"}, EarlyEnd::kCannotOpenOutput, {}, {}},
      {"-o ends its argument, so o last there too", {"-do"}, EarlyEnd::kCannotOpenOutput, {}, {}},
      {"second -o last", {"-o", "a", "-o"}, EarlyEnd::kCannotOpenOutput, {"a"}, {}},
      {"output in a missing folder", {"-o", "no-such-folder/out", "font"}, EarlyEnd::kCannotOpenOutput, {}, {}},
      {"output that is a folder", {"-o", ".", "font"}, EarlyEnd::kCannotOpenOutput, {}, {}},
      {"missing input", {"missing"}, EarlyEnd::kCannotOpenInput, {}, {}},
      {"input that is a folder", {"."}, EarlyEnd::kCannotOpenInput, {}, {}},
      {"output created before the input fails", {"-o", "out", "missing"}, EarlyEnd::kCannotOpenInput, {"out"}, {}},
      {"missing input after - and letters", {"-", "-d", "no-such-folder/font"}, EarlyEnd::kCannotOpenInput, {}, {}},
  };
  for (const EarlyEndCase& c : cases) {
    SCOPED_TRACE(c.what);
    ProcessResult got = Run(c.args, StdinKind::kPipe, ProbeFont());
    switch (c.end) {
      case EarlyEnd::kUsage:
        ExpectResult(got, source.usage, "", kStatusRefused);
        break;
      case EarlyEnd::kSynopsis:
        ExpectResult(got, "", source.synopsis, kStatusRefused);
        break;
      case EarlyEnd::kCannotOpenOutput:
        ExpectResult(got, "", ErrorLineFor(source, IDS_CANNOT_OPEN_OUTPUT), kStatusRefused);
        break;
      case EarlyEnd::kCannotOpenInput:
        ExpectResult(got, "", ErrorLineFor(source, IDS_CANNOT_OPEN_INPUT), kStatusRefused);
        break;
    }
    for (const std::string& name : c.emptyFiles) {
      EXPECT_TRUE(FileExists(Path(name))) << name;
      EXPECT_EQ(ReadFileBytes(Path(name)), "") << name;
    }
    for (const std::string& name : c.absentFiles) EXPECT_FALSE(FileExists(Path(name))) << name;
    std::filesystem::remove(Path("out"));
    std::filesystem::remove(Path("a"));
  }
}

TEST_P(WholeRun, OutputFileThatExistsIsEmptiedBeforeTheUsage) {
  WriteFileBytes(Path("out"), "old text\n");
  ExpectResult(Run({"-o", "out", "-?"}), GetParam().usage, "", kStatusRefused);
  EXPECT_EQ(ReadFileBytes(Path("out")), "");
}

// ---------------------------------------------------------------------------
// The option grammar, seen through the probe font: where the dump goes and
// how -d and -e shape its one header line.

struct OptionCase {
  const char* what;
  std::vector<std::string> args;
  bool fontOnStdin;                      // else standard input is empty
  const char* dumpFile;                  // null: the dump is on standard output
  const std::string& line;               // the probe shape's header line
  std::vector<std::string> emptyFiles;   // created and left empty
  std::vector<std::string> absentFiles;  // never created
};

TEST_P(WholeRun, OptionsShapeTheDump) {
  const MessageSource& source = GetParam();
  const OptionCase cases[] = {
      {"no arguments: standard input to standard output", {}, true, nullptr, kPlainLine, {}, {}},
      {"input path", {"font"}, false, nullptr, kPlainLine, {}, {}},
      {"lone - is passed over", {"-", "font"}, false, nullptr, kPlainLine, {}, {"-"}},
      {"-d", {"-d", "font"}, false, nullptr, kDecimalLine, {}, {}},
      {"-e", {"-e", "font"}, false, nullptr, kEscapedLine, {}, {}},
      {"-de is -d -e", {"-de", "font"}, false, nullptr, kDecimalEscapedLine, {}, {}},
      {"-ed", {"-ed", "font"}, false, nullptr, kDecimalEscapedLine, {}, {}},
      {"-d -e", {"-d", "-e", "font"}, false, nullptr, kDecimalEscapedLine, {}, {}},
      {"a repeated letter changes nothing", {"-dd", "-", "-d"}, true, nullptr, kDecimalLine, {}, {}},
      {"options after the input are ignored", {"font", "-d", "-?", "-x", "-o"}, false, nullptr, kPlainLine, {}, {}},
      {"a second path is ignored", {"font", "missing"}, false, nullptr, kPlainLine, {}, {}},
      {"-o", {"-o", "out", "font"}, false, "out", kPlainLine, {}, {}},
      {"-o with standard input", {"-o", "out"}, true, "out", kPlainLine, {}, {}},
      {"letters after o are ignored", {"-od", "a", "font"}, false, "a", kPlainLine, {}, {}},
      {"-ofile: the next argument is the output", {"-ofile", "x"}, true, "x", kPlainLine, {}, {"file"}},
      {"the output path may look like an option", {"-o", "-d", "font"}, false, "-d", kPlainLine, {}, {}},
      {"letters on both sides of -o", {"-d", "-o", "out", "-e", "font"}, false, "out", kDecimalEscapedLine, {}, {}},
      {"a second -o takes over", {"-o", "a", "-o", "b", "font"}, false, "b", kPlainLine, {"a"}, {}},
  };
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(c.what);
    ProcessResult got = c.fontOnStdin ? Run(c.args, StdinKind::kPipe, ProbeFont()) : Run(c.args);
    const std::string expected = source.banner + c.line;
    if (c.dumpFile == nullptr) {
      ExpectResult(got, expected, "", kStatusDumped);
    } else {
      ExpectResult(got, "", "", kStatusDumped);
      EXPECT_EQ(ReadFileBytes(Path(c.dumpFile)), expected);
      std::filesystem::remove(Path(c.dumpFile));
    }
    for (const std::string& name : c.emptyFiles) {
      EXPECT_TRUE(FileExists(Path(name))) << name;
      EXPECT_EQ(ReadFileBytes(Path(name)), "") << name;
      std::filesystem::remove(Path(name));
    }
    for (const std::string& name : c.absentFiles) EXPECT_FALSE(FileExists(Path(name))) << name;
  }
}

// ---------------------------------------------------------------------------
// Heads of file and the ends of a dump, each fed three ways: as the input
// path, as standard input opened on the file, and through a pipe.

struct HeadCase {
  const char* what;
  std::string bytes;
  std::vector<unsigned> errorLines;  // message ids, in order (kSeekError for the fixed line)
  int status;
  std::string dumped;                // what follows the banner
};

std::vector<HeadCase> AcceptedHeads() {
  std::vector<HeadCase> cases = {
      {"shapes 1.0, with its notice", EmptyFont(0), {IDS_OLD_REVISION}, kStatusDumped, ""},
      {"shapes 1.1", EmptyFont(1), {}, kStatusDumped, ""},
      {"bigfont 1.0", EmptyFont(2), {}, kStatusDumped, ""},
      {"unifont 1.0", EmptyFont(3), {}, kStatusDumped, ""},
      {"one shape, dumped in full", ProbeFont(), {}, kStatusDumped, kPlainLine},
      // A zero byte ends the compared text; the bytes after it are read up to
      // the 0x1A but take no part.
      {"zero byte and more after the signature",
       kSignature[1] + kZeroByte + "\r\nanything\xFF" + kEndOfHead + EmptyBody(1), {}, kStatusDumped, ""},
      // 24 + 1 + 73 = 98 stored bytes, then the 0x1A as the 99th read.
      {"98 bytes before the 0x1A",
       kSignature[2] + kZeroByte + std::string(73, 'x') + kEndOfHead + EmptyBody(2), {}, kStatusDumped, ""},
      // 23 + 1 + 75 = 99 stored bytes and no 0x1A: reading stops there, and
      // the 100th byte is the first of the header. Were one byte more or
      // less taken, the count would be read from the wrong place (0xFF00 or
      // 4) and the index refused.
      {"99 bytes without 0x1A, zero byte inside",
       kSignature[1] + kZeroByte + std::string(75, 'x') + ShapesHeader(0), {}, kStatusDumped, ""},
      // The file ends right after the text: every header byte reads as 0xFF.
      {"shapes 1.0 without 0x1A or body: count 0xFFFF, index refused", kSignature[0],
       {IDS_OLD_REVISION, IDS_NO_SHAPE_INDEX}, kStatusDumped, ""},
      {"shapes 1.1 without 0x1A or body: count 0xFFFF, index refused", kSignature[1],
       {IDS_NO_SHAPE_INDEX}, kStatusDumped, ""},
      {"bigfont without 0x1A or body: entry size 0xFFFF", kSignature[2],
       {IDS_BAD_ENTRY_SIZE}, kStatusDumped, ""},
      {"unifont without 0x1A or body: the first record meets the end", kSignature[3], {}, kStatusDumped, ""},
  };
  return cases;
}

std::vector<HeadCase> RefusedHeads() {
  const std::vector<unsigned> notAFont = {IDS_NOT_A_FONT_FILE};
  std::vector<HeadCase> cases = {
      {"empty input", "", notAFont, kStatusRefused, ""},
      {"0x1A first", kEndOfHead + EmptyFont(1), notAFont, kStatusRefused, ""},
      {"bare line feed", "Vormald-86 shapes 1.1\n" + kEndOfHead + EmptyBody(1), notAFont, kStatusRefused, ""},
      {"no line end", "Vormald-86 shapes 1.1" + kEndOfHead + EmptyBody(1), notAFont, kStatusRefused, ""},
      {"letter case", "Vormald-86 Shapes 1.1\r\n" + kEndOfHead + EmptyBody(1), notAFont, kStatusRefused, ""},
      {"trailing blank", kSignature[3] + " " + kEndOfHead + EmptyBody(3), notAFont, kStatusRefused, ""},
      {"second line end", kSignature[2] + "\r\n" + kEndOfHead + EmptyBody(2), notAFont, kStatusRefused, ""},
      {"zero byte inside the text", "Vormald-86 sha" + kZeroByte + "pes 1.1\r\n" + kEndOfHead + EmptyBody(1),
       notAFont, kStatusRefused, ""},
      {"byte above 0x7F", "Vormald-86 sh\xE1pes 1.1\r\n" + kEndOfHead + EmptyBody(1), notAFont, kStatusRefused, ""},
      {"unknown revision", "Vormald-86 shapes 1.2\r\n" + kEndOfHead + EmptyBody(1), notAFont, kStatusRefused, ""},
      // The 99 stored bytes are the signature and 76 more: the 0x1A as the
      // 100th byte is never reached.
      {"99 bytes, then 0x1A", kSignature[1] + std::string(76, 'x') + kEndOfHead + EmptyBody(1),
       notAFont, kStatusRefused, ""},
      {"long head without 0x1A", std::string(300, 'V'), notAFont, kStatusRefused, ""},
      {"text that is no font", "just some text\nover two lines\n", notAFont, kStatusRefused, ""},
  };
  return cases;
}

// Headers and indexes that a recognised font's reader refuses, and the ends
// of a dump among the shapes: each ends with status 0.
std::vector<HeadCase> BodyEnds() {
  const std::string shapes = kSignature[1] + kEndOfHead;
  const std::string bigfont = kSignature[2] + kEndOfHead;
  const std::string unifont = kSignature[3] + kEndOfHead;
  std::vector<HeadCase> cases = {
      {"shapes index missing", shapes + ShapesHeader(1), {IDS_NO_SHAPE_INDEX}, kStatusDumped, ""},
      {"shapes index one entry short", shapes + ShapesHeader(2) + Word(0x41) + Word(1),
       {IDS_NO_SHAPE_INDEX}, kStatusDumped, ""},
      {"shapes header cut inside the count", shapes + Word(0) + Word(0) + kZeroByte,
       {IDS_NO_SHAPE_INDEX}, kStatusDumped, ""},
      {"bigfont entry size 7", bigfont + BigfontHeader(7, 0), {IDS_BAD_ENTRY_SIZE}, kStatusDumped, ""},
      {"bigfont entry size 9", bigfont + BigfontHeader(9, 0), {IDS_BAD_ENTRY_SIZE}, kStatusDumped, ""},
      {"bigfont entry count 0x8000", bigfont + BigfontHeader(8, 0x8000), {IDS_NO_HASH_TABLE}, kStatusDumped, ""},
      {"bigfont index missing", bigfont + BigfontHeader(8, 1), {IDS_NO_HASH_TABLE}, kStatusDumped, ""},
      // One entry, code 0x41, length 1, at offset 0x80000000: a position
      // beyond what a signed 32-bit offset can reach.
      {"bigfont record out of reach", bigfont + BigfontHeader(8, 1) + Word(0x41) + Word(1) + Dword(0x80000000u),
       {kSeekError}, kStatusDumped, ""},
      {"unifont announces a record that is not there", unifont + Word(1), {}, kStatusDumped, ""},
  };
  return cases;
}

enum class Feed { kPath, kStdinFile, kStdinPipe };

TEST_P(WholeRun, HeadsOfFile) {
  const MessageSource& source = GetParam();
  std::vector<HeadCase> cases = AcceptedHeads();
  for (HeadCase& c : RefusedHeads()) cases.push_back(std::move(c));
  for (HeadCase& c : BodyEnds()) cases.push_back(std::move(c));
  const std::string headFile = Path("head");
  for (const HeadCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string err;
    for (unsigned id : c.errorLines) err += ErrorLineFor(source, id);
    const std::string out = source.banner + c.dumped;
    WriteFileBytes(headFile, c.bytes);
    for (Feed feed : {Feed::kPath, Feed::kStdinFile, Feed::kStdinPipe}) {
      SCOPED_TRACE(feed == Feed::kPath ? "input path" : feed == Feed::kStdinFile ? "standard input, a file"
                                                                                 : "standard input, a pipe");
      ProcessResult got = feed == Feed::kPath        ? Run({"head"})
                          : feed == Feed::kStdinFile ? Run({}, StdinKind::kFile, headFile)
                                                     : Run({}, StdinKind::kPipe, c.bytes);
      ExpectResult(got, out, err, c.status);
    }
  }
}

// A refused head with -o: the output file holds the banner alone.
TEST_P(WholeRun, RefusedHeadLeavesTheBannerInTheOutputFile) {
  const MessageSource& source = GetParam();
  WriteFileBytes(Path("text"), "no font\n");
  ExpectResult(Run({"-o", "out", "text"}), "", ErrorLineFor(source, IDS_NOT_A_FONT_FILE), kStatusRefused);
  EXPECT_EQ(ReadFileBytes(Path("out")), source.banner);
}

INSTANTIATE_TEST_SUITE_P(
    MessageSources, WholeRun,
    ::testing::Values(BuiltInSource("BuiltInNoLibraryPath", LibraryPlace::kUnset),
                      BuiltInSource("BuiltInLibraryPathWithoutLibrary", LibraryPlace::kFolderWithout),
                      BuiltInSource("BuiltInLibraryNotLoadable", LibraryPlace::kNotALibrary),
                      NoMessagesSource(), OtherMessagesSource()),
    [](const ::testing::TestParamInfo<MessageSource>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morlune::testing
