// Options in the long and short forms Unix tools take: "--variant V",
// "--variant=V", "-o FILE", "-oFILE", "--output FILE", "--output=FILE".
#include "tools/morlune-compile/command_line.h"

#include <cstring>
#include <string_view>

#include "tools/common/option_scanner.h"

namespace morlune {

const char kCompileUsage[] =
    "Usage: morlune-compile [-o OUTPUT] [--variant VARIANT] [--drop-default-names]\n"
    "                       [--take-counted] [SOURCE]\n"
    "Compile shape source text (SOURCE, or standard input when SOURCE is absent\n"
    "or -) into a compiled shape font, written to standard output or to OUTPUT.\n"
    "\n"
    "  -o, --output OUTPUT   write the font to OUTPUT, which is replaced only once\n"
    "                        the whole font is written; OUTPUT may not be SOURCE\n"
    "      --variant VARIANT shapes10, shapes11, bigfont or unifont; a text with a\n"
    "                        *UNIFONT header or a *BIGFONT line takes only its own\n"
    "                        (default: the text's own, else shapes11)\n"
    "      --drop-default-names\n"
    "                        store a name that equals the default name of its\n"
    "                        code as no name\n"
    "      --take-counted    a header count that differs from the bytes of its\n"
    "                        numbers is a warning, not an error\n"
    "      --help            show this help and exit\n"
    "      --version         show the version and exit\n"
    "\n"
    "At most 100 problems of the text are shown. Exit status: 0 font written,\n"
    "1 errors in the text (nothing written), 2 bad command line (-o naming SOURCE\n"
    "included) or unreadable source, 3 the font cannot be written.\n";

CompileCommand ParseCompileCommand(int argc, const char* const* argv) {
  CompileCommand command;
  auto output = [&command](const OptionValue& option) {
    if (*option.text == '\0') return OptionProblem(option.name, "needs a file name");
    command.outputPath = option.text;
    return std::string();
  };
  const OptionRule rules[] = {
      {"--output", 'o', true, output},
      {"--variant", 0, true,
       [&command](const OptionValue& option) {
         command.options.variant = VariantFromName(option.text);
         if (command.options.variant) return std::string();
         return "unknown variant '" + std::string(option.text) + "' (shapes10, shapes11, bigfont or unifont)";
       }},
      {"--drop-default-names", 0, false,
       [&command](const OptionValue&) {
         command.options.dropDefaultNames = true;
         return std::string();
       }},
      {"--take-counted", 0, false,
       [&command](const OptionValue&) {
         command.options.takeCounted = true;
         return std::string();
       }},
  };
  auto source = [&command](const char* operand, bool) {
    if (command.sourcePath != nullptr) return std::string("only one SOURCE may be given");
    command.sourcePath = operand;
    return std::string();
  };
  OptionScan scan = ScanCommandLine(argc, argv, rules, source);
  command.help = scan.verdict == OptionVerdict::kHelp;
  command.version = scan.verdict == OptionVerdict::kVersion;
  command.problem = scan.error;
  if (command.sourcePath != nullptr && std::strcmp(command.sourcePath, "-") == 0) command.sourcePath = nullptr;
  if (command.outputPath != nullptr && std::strcmp(command.outputPath, "-") == 0) command.outputPath = nullptr;
  return command;
}

}  // namespace morlune
