// Options in the manner of Unix tools: -o FILE or -oFILE, long ones as
// --name VALUE or --name=VALUE, "--" before a FONT that begins with "-",
// and "-" for standard input.
#include "tools/morlune-check/check_options.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

#include "tools/common/option_argument.h"

namespace morlune {

OptionScan ScanCheckOptions(int argc, const char* const* argv, CheckCommandLine& options) {
  auto usage = [](std::string error) { return OptionScan{OptionVerdict::kUsageError, std::move(error)}; };
  bool optionsOver = false, stdinNamed = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (optionsOver || arg == "-" || arg.empty() || arg[0] != '-') {
      if (arg == "-" && !optionsOver) {
        // Standard input can be read once.
        if (stdinNamed) return usage("standard input ('-') named twice");
        stdinNamed = true;
      }
      options.fonts.emplace_back(arg == "-" && optionsOver ? "./-" : std::string(arg));
      continue;
    }
    if (arg == "--") {
      optionsOver = true;
      continue;
    }
    if (arg == "--help") return {OptionVerdict::kHelp, ""};
    if (arg == "--version") return {OptionVerdict::kVersion, ""};
    if (arg == "--json") {
      options.json = true;
      continue;
    }
    OptionArgument option = SplitOptionArgument(argv[i]);
    std::string_view name = option.name;
    static constexpr std::string_view kValued[] = {"-o", "--output", "--fail-on", "--coverage", "--encoding"};
    if (std::find(std::begin(kValued), std::end(kValued), name) == std::end(kValued)) {
      return usage("unknown option '" + std::string(name) + "'");
    }
    const char* value = TakeOptionValue(option, argc, argv, i);
    if (value == nullptr) return usage("option '" + std::string(name) + "' needs a value");
    if (name == "-o" || name == "--output") {
      if (*value == '\0') return usage("option '" + std::string(name) + "' needs a file name");
      options.outputPath = std::string_view(value) == "-" ? nullptr : value;
    } else if (name == "--fail-on") {
      std::string level(value);
      std::transform(level.begin(), level.end(), level.begin(), [](unsigned char c) { return std::toupper(c); });
      std::optional<check::Severity> severity = check::SeverityFromName(level);
      if (!severity) return usage("--fail-on takes FAIL, WARN or INFO, not '" + std::string(value) + "'");
      options.failOn = *severity;
    } else if (name == "--coverage") {
      if (*value == '\0') return usage("--coverage needs a character set");
      options.coverage = value;
    } else {
      if (*value == '\0') return usage("--encoding needs a code page");
      options.encoding = value;
    }
  }
  if (options.fonts.empty()) options.fonts.emplace_back("-");
  if (options.encoding != nullptr && options.coverage == nullptr) return usage("--encoding is for --coverage");
  return {};
}

const char* CheckHelpText() {
  return "Usage: morlune-check [options] FONT...\n"
         "Checks compiled shape fonts (shapes 1.0, shapes 1.1, bigfont 1.0, unifont 1.0)\n"
         "and shape source text for faults: one line per finding, FONT: CODE: SEVERITY\n"
         "ID: TEXT, and a summary line. FONT \"-\" (or none) is standard input.\n"
         "\n"
         "  -o FILE, --output FILE  write to FILE, replaced only once the output is\n"
         "                          complete (default, or -o -: standard output)\n"
         "  --json                  one JSON document instead of lines\n"
         "  --fail-on LEVEL         exit with status 1 when a finding is at LEVEL or\n"
         "                          above: FAIL (default), WARN or INFO\n"
         "  --coverage SET          list the characters of SET that each font lacks:\n"
         "                          U+XXXX-YYYY, a UTF-8 text file, or an encoding's\n"
         "                          name (CP1252, CP932, ...)\n"
         "  --encoding NAME         the code page of the fonts' codes for --coverage\n"
         "                          (shapes fonts and bigfonts)\n"
         "  --help                  show this help and exit\n"
         "  --version               show the version and exit\n"
         "\n"
         "Exit status: 0 nothing at or above --fail-on, 1 something, 2 a bad command\n"
         "line or an input that cannot be read, 3 the output cannot be written.\n";
}

}  // namespace morlune
