// Options as the other tools take them: "--to FMT" or "--to=FMT", OUTPUT
// as the second operand or by -o; "--" ends them and "-" names a standard
// stream.
#include "tools/morlune-convert/convert_command.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "tools/common/option_scanner.h"

namespace morlune::convert {

const char kConvertUsage[] =
    "Usage: morlune-convert [options] INPUT OUTPUT\n"
    "       morlune-convert [options] -o OUTPUT INPUT\n"
    "Convert a font between compiled shape fonts (.kqx) or shape source text\n"
    "(.kqs) and the single-stroke interchange formats: SVG fonts (.svg), Hershey\n"
    "glyph lines (.jhf) and single-line fonts of drafting programs (.lff); or\n"
    "write any of them as an outline font drawn with a round pen: OpenType\n"
    "(.ttf) or WOFF2 (.woff2).\n"
    "A path of - is standard input or output. OUTPUT is replaced only once whole.\n"
    "\n"
    "  -o, --output OUTPUT    write to OUTPUT, as the second operand does\n"
    "      --from FORMAT      the format of INPUT (kqx, kqs, svg, jhf, lff);\n"
    "                         default: from its extension\n"
    "      --to FORMAT        the format of OUTPUT (those, ttf or woff2);\n"
    "                         default: from its extension\n"
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
    "                         units, or T% of the capital height (default 1%);\n"
    "                         ttf, woff2: how far the outline may stray from the\n"
    "                         pen's, in the output's units or T% (default 0.5%)\n"
    "      --pen-width W      ttf, woff2: the pen's width in the output's units\n"
    "                         (2048 to the em), or W% of the capital height\n"
    "                         (default 7.14%, a fourteenth)\n"
    "      --family NAME      ttf, woff2: the family name (default: the font's)\n"
    "      --variant V        import: shapes11, unifont or bigfont (default:\n"
    "                         shapes11 where every code fits a byte, else unifont)\n"
    "      --help             show this help and exit\n"
    "      --version          show the version and exit\n"
    "\n"
    "Exit status: 0 written, 1 the input's content refused (or a loss with\n"
    "--strict; nothing written), 2 bad command line or unreadable input,\n"
    "3 the output cannot be written.\n";

namespace {

// A number above 0, or with '%' a share of the capital height.
bool ParseMeasure(std::string_view text, double& value, bool& perCap) {
  std::string number(text);
  bool share = !number.empty() && number.back() == '%';
  if (share) number.pop_back();
  if (number.empty()) return false;
  char* end = nullptr;
  errno = 0;
  double read = std::strtod(number.c_str(), &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(read) || read <= 0) return false;
  perCap = share;
  value = share ? read / 100 : read;
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
  bool outputOption = false;
  auto format = [](std::optional<FontFormat>& side) {
    return [&side](const OptionValue& option) {
      side = FontFormatFromName(option.text);
      if (side) return std::string();
      return "unknown format '" + std::string(option.text) + "' (kqx, kqs, svg, jhf, lff, ttf or woff2)";
    };
  };
  const OptionRule rules[] = {
      {"--output", 'o', true,
       [&](const OptionValue& option) {
         if (*option.text == '\0') return OptionProblem(option.name, "needs a file name");
         command.outputPath = option.text;
         outputOption = true;
         return std::string();
       }},
      {"--from", 0, true, format(command.from)},
      {"--to", 0, true, format(command.to)},
      {"--encoding", 0, true,
       [&command](const OptionValue& option) {
         command.encoding = option.text;
         return std::string();
       }},
      {"--height-units", 0, true,
       [&command](const OptionValue& option) {
         if (ParseHeightUnits(option.text, command.heightUnits)) return std::string();
         return "--height-units takes a whole number from 1 to 255, not '" + std::string(option.text) + "'";
       }},
      {"--tolerance", 0, true,
       [&command](const OptionValue& option) {
         command.toleranceGiven = true;
         if (ParseMeasure(option.text, command.tolerance, command.tolerancePerCap)) return std::string();
         return "--tolerance takes a number above 0, or a share like 1%, not '" + std::string(option.text) + "'";
       }},
      {"--pen-width", 0, true,
       [&command](const OptionValue& option) {
         if (ParseMeasure(option.text, command.penWidth, command.penWidthPerCap)) return std::string();
         return "--pen-width takes a number above 0, or a share like 7%, not '" + std::string(option.text) + "'";
       }},
      {"--family", 0, true,
       [&command](const OptionValue& option) {
         if (*option.text == '\0') return OptionProblem(option.name, "needs a name");
         command.family = option.text;
         return std::string();
       }},
      {"--variant", 0, true,
       [&command](const OptionValue& option) {
         command.variant = ImportVariant(option.text);
         if (command.variant) return std::string();
         return "unknown variant '" + std::string(option.text) + "' (shapes11, unifont or bigfont)";
       }},
      {"--strict", 0, false,
       [&command](const OptionValue&) {
         command.strict = true;
         return std::string();
       }},
  };
  std::vector<std::string> operands;
  auto operand = [&operands](const char* path, bool) {
    if (operands.size() == 2) return std::string("only INPUT and OUTPUT may be given");
    operands.emplace_back(path);
    return std::string();
  };
  OptionScan scan = ScanCommandLine(argc, argv, rules, operand);
  command.help = scan.verdict == OptionVerdict::kHelp;
  command.version = scan.verdict == OptionVerdict::kVersion;
  command.problem = scan.error;
  if (scan.verdict != OptionVerdict::kRun) return command;
  if (outputOption && operands.size() > 1) {
    command.problem = "OUTPUT given twice: by -o and as an operand";
  } else if (operands.empty()) {
    command.problem = outputOption ? "INPUT is needed" : "INPUT and OUTPUT are needed";
  } else if (!outputOption && operands.size() < 2) {
    command.problem = "OUTPUT is needed";
  } else {
    command.inputPath = operands[0];
    if (!outputOption) command.outputPath = operands[1];
  }
  return command;
}

}  // namespace morlune::convert
