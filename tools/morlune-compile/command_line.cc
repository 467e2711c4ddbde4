// Options in the long and short forms Unix tools take: "--variant V",
// "--variant=V", "-o FILE", "-oFILE", "--output FILE", "--output=FILE".
#include "tools/morlune-compile/command_line.h"

#include <cstring>
#include <string_view>

#include "tools/common/option_argument.h"

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

namespace {

bool ParseVariant(std::string_view name, CompileOptions& options) {
  options.variant = VariantFromName(name);
  return options.variant.has_value();
}

}  // namespace

CompileCommand ParseCompileCommand(int argc, const char* const* argv) {
  CompileCommand command;
  bool optionsEnded = false;
  for (int i = 1; i < argc && command.problem.empty(); ++i) {
    std::string_view arg = argv[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      if (command.sourcePath != nullptr) {
        command.problem = "only one SOURCE may be given";
      } else {
        command.sourcePath = argv[i];
      }
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    // The value of an option: after "=", in the same argument after "-o",
    // or the next argument.
    OptionArgument option = SplitOptionArgument(argv[i]);
    std::string_view name = option.name;
    bool takesValue = name == "-o" || name == "--output" || name == "--variant";
    const char* value = nullptr;
    if (!ReadOptionValue(option, takesValue, argc, argv, i, value, command.problem)) break;
    if (name == "-o" || name == "--output") {
      command.outputPath = value;
    } else if (name == "--variant") {
      if (!ParseVariant(value, command.options)) {
        command.problem = "unknown variant '" + std::string(value) + "' (shapes10, shapes11, bigfont or unifont)";
      }
    } else if (name == "--drop-default-names") {
      command.options.dropDefaultNames = true;
    } else if (name == "--take-counted") {
      command.options.takeCounted = true;
    } else if (name == "--help") {
      command.help = true;
    } else if (name == "--version") {
      command.version = true;
    } else {
      command.problem = "unknown option '" + std::string(arg) + "'";
    }
  }
  if (command.sourcePath != nullptr && std::strcmp(command.sourcePath, "-") == 0) command.sourcePath = nullptr;
  if (command.outputPath != nullptr && std::strcmp(command.outputPath, "-") == 0) command.outputPath = nullptr;
  return command;
}

}  // namespace morlune
