// Options as the other tools take them: "--to FMT" or "--to=FMT"; "--"
// ends them and "-" names a standard stream.
#include "tools/morlune-convert/convert_command.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "tools/common/option_argument.h"

namespace morlune::convert {

const char kConvertUsage[] =
    "Usage: morlune-convert [options] INPUT OUTPUT\n"
    "Convert a font between compiled shape fonts (.kqx) or shape source text\n"
    "(.kqs) and the single-stroke interchange formats: SVG fonts (.svg), Hershey\n"
    "glyph lines (.jhf) and single-line fonts of drafting programs (.lff).\n"
    "A path of - is standard input or output. OUTPUT is replaced only once whole.\n"
    "\n"
    "      --from FORMAT      the format of INPUT (kqx, kqs, svg, jhf, lff);\n"
    "                         default: from its extension\n"
    "      --to FORMAT        the format of OUTPUT; default: from its extension\n"
    "      --encoding CP      the code page of a shapes font's or a bigfont's codes\n"
    "                         (iconv's names; on Windows a code page number);\n"
    "                         default for a shapes font: Latin-1 with codes 127,\n"
    "                         128, 129 as degree, plus-minus, diameter\n"
    "      --strict           any loss of the export, or an input read otherwise\n"
    "                         than as its format is written, is an error:\n"
    "                         nothing written\n"
    "      --height-units N   import: the capitals' height in font units\n"
    "                         (default: the smallest grid within the tolerance)\n"
    "      --tolerance T      import: the largest error allowed, in the input's\n"
    "                         units, or T% of the capital height (default 1%)\n"
    "      --variant V        import: shapes11, unifont or bigfont (default:\n"
    "                         shapes11 where every code fits a byte, else unifont)\n"
    "      --help             show this help and exit\n"
    "      --version          show the version and exit\n"
    "\n"
    "Exit status: 0 written, 1 the input's content refused (or a loss with\n"
    "--strict; nothing written), 2 bad command line or unreadable input,\n"
    "3 the output cannot be written.\n";

namespace {

bool ParseTolerance(std::string_view text, ConvertCommand& command) {
  std::string number(text);
  bool share = !number.empty() && number.back() == '%';
  if (share) number.pop_back();
  if (number.empty()) return false;
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(number.c_str(), &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(value) || value <= 0) return false;
  command.tolerancePerCap = share;
  command.tolerance = share ? value / 100 : value;
  return true;
}

bool ParseHeightUnits(std::string_view text, int& units) {
  std::string number(text);
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(number.c_str(), &end, 10);
  if (number.empty() || errno != 0 || *end != '\0' || value < 1 || value > 255) return false;
  units = static_cast<int>(value);
  return true;
}

// The variants an import writes: a shapes 1.0 font is never new.
std::optional<Variant> ImportVariant(std::string_view name) {
  if (name == "shapes11") return Variant::kShapes11;
  if (name == "unifont") return Variant::kUnifont;
  if (name == "bigfont") return Variant::kBigfont;
  return std::nullopt;
}

}  // namespace

ConvertCommand ParseConvertCommand(int argc, const char* const* argv) {
  ConvertCommand command;
  bool optionsEnded = false;
  int operands = 0;
  for (int i = 1; i < argc && command.problem.empty(); ++i) {
    std::string_view arg = argv[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      if (operands == 0) {
        command.inputPath = arg;
      } else if (operands == 1) {
        command.outputPath = arg;
      } else {
        command.problem = "only INPUT and OUTPUT may be given";
      }
      ++operands;
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    // No -o: OUTPUT is the second operand.
    OptionArgument option = SplitOptionArgument(argv[i], false);
    std::string_view name = option.name;
    bool takesValue = name == "--from" || name == "--to" || name == "--encoding" || name == "--height-units" ||
                      name == "--tolerance" || name == "--variant";
    const char* value = nullptr;
    if (!ReadOptionValue(option, takesValue, argc, argv, i, value, command.problem)) break;
    if (name == "--from" || name == "--to") {
      std::optional<FileFormat> format = FormatFromName(value);
      if (!format) command.problem = "unknown format '" + std::string(value) + "' (kqx, kqs, svg, jhf or lff)";
      (name == "--from" ? command.from : command.to) = format;
    } else if (name == "--encoding") {
      command.encoding = value;
    } else if (name == "--height-units") {
      if (!ParseHeightUnits(value, command.heightUnits)) {
        command.problem = "--height-units takes a whole number from 1 to 255, not '" + std::string(value) + "'";
      }
    } else if (name == "--tolerance") {
      if (!ParseTolerance(value, command)) {
        command.problem = "--tolerance takes a number above 0, or a share like 1%, not '" + std::string(value) + "'";
      }
    } else if (name == "--variant") {
      command.variant = ImportVariant(value);
      if (!command.variant) {
        command.problem = "unknown variant '" + std::string(value) + "' (shapes11, unifont or bigfont)";
      }
    } else if (name == "--strict") {
      command.strict = true;
    } else if (name == "--help") {
      command.help = true;
    } else if (name == "--version") {
      command.version = true;
    } else {
      command.problem = "unknown option '" + std::string(arg) + "'";
    }
  }
  if (command.problem.empty() && !command.help && !command.version && operands < 2) {
    command.problem = operands == 0 ? "INPUT and OUTPUT are needed" : "OUTPUT is needed";
  }
  return command;
}

}  // namespace morlune::convert
