// The options of morlune-check and what each value may be; "--" before a
// FONT that begins with "-", and "-" for standard input.
#include "tools/morlune-check/check_options.h"

#include <string_view>
#include <utility>

#include "tools/common/option_scanner.h"

namespace morlune {

OptionScan ScanCheckOptions(int argc, const char* const* argv, CheckCommandLine& options) {
  const OptionRule rules[] = {
      {"--output", 'o', true,
       [&](const OptionValue& option) {
         if (*option.text == '\0') return OptionProblem(option.name, "needs a file name");
         options.outputPath = std::string_view(option.text) == "-" ? nullptr : option.text;
         return std::string();
       }},
      {"--json", 0, false,
       [&](const OptionValue&) {
         options.json = true;
         return std::string();
       }},
      {"--fail-on", 0, true,
       [&](const OptionValue& option) {
         std::optional<Severity> severity = SeverityFromName(option.text);
         if (!severity) return "--fail-on takes FAIL, WARN or INFO, not '" + std::string(option.text) + "'";
         options.failOn = *severity;
         return std::string();
       }},
      {"--coverage", 0, true,
       [&](const OptionValue& option) {
         if (*option.text == '\0') return std::string("--coverage needs a character set");
         options.coverage = option.text;
         return std::string();
       }},
      {"--encoding", 0, true,
       [&](const OptionValue& option) {
         if (*option.text == '\0') return std::string("--encoding needs a code page");
         options.encoding = option.text;
         return std::string();
       }},
  };
  bool stdinNamed = false;
  auto font = [&](const char* operand, bool afterOptionsEnd) {
    std::string_view arg = operand;
    if (arg == "-" && !afterOptionsEnd) {
      // Standard input can be read once.
      if (stdinNamed) return std::string("standard input ('-') named twice");
      stdinNamed = true;
    }
    options.fonts.emplace_back(arg == "-" && afterOptionsEnd ? "./-" : std::string(arg));
    return std::string();
  };
  OptionScan scan = ScanCommandLine(argc, argv, rules, font);
  if (scan.verdict != OptionVerdict::kRun) return scan;
  if (options.fonts.empty()) options.fonts.emplace_back("-");
  if (options.encoding != nullptr && options.coverage == nullptr) {
    return {OptionVerdict::kUsageError, "--encoding is for --coverage"};
  }
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
