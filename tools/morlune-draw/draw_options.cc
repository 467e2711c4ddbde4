// The options of morlune-draw and what each value may be; "--" before a
// FONT that begins with "-", and "-" for standard input.
#include "tools/morlune-draw/draw_options.h"

#include <cmath>
#include <string_view>
#include <utility>

#include "tools/common/option_scanner.h"

namespace morlune {
namespace {

constexpr double kLargestHeight = 1000;

// Hexadecimal digits, up to FFFF: 41, 0041 and the source text's own
// 00041 all name code 0x41.
bool ParseCode(std::string_view text, std::uint16_t& code) {
  if (text.empty()) return false;
  unsigned value = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    value = value * 16 + static_cast<unsigned>(digit);
    if (value > 0xFFFF) return false;
  }
  code = static_cast<std::uint16_t>(value);
  return true;
}

bool ParseCodes(std::string_view text, std::uint16_t& first, std::uint16_t& last) {
  std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) {
    if (!ParseCode(text, first)) return false;
    last = first;
    return true;
  }
  return ParseCode(text.substr(0, dash), first) && ParseCode(text.substr(dash + 1), last) && first <= last;
}

constexpr double kLargestWidthFactor = 100;
constexpr double kLargestOblique = 85;
// The widest pen, in font units or as a share of the height (a bound on
// the numbers the picture writes, far past any useful pen).
constexpr double kLargestPen = 65536;
constexpr double kLargestPenShare = 100;

// Digits with at most one decimal point, by hand so that no locale changes
// it; a minus sign before them where negative is allowed.
bool ParseNumber(std::string_view text, bool negativeAllowed, double& number) {
  bool negative = negativeAllowed && text.starts_with('-');
  if (negative) text.remove_prefix(1);
  if (text.size() > 16) return false;
  double value = 0, unit = 0;
  bool digits = false;
  for (char c : text) {
    if (c == '.' && unit == 0) {
      unit = 1;
    } else if (c >= '0' && c <= '9') {
      digits = true;
      if (unit == 0) {
        value = value * 10 + (c - '0');
      } else {
        unit /= 10;
        value += (c - '0') * unit;
      }
    } else {
      return false;
    }
  }
  if (!digits) return false;
  number = negative ? -value : value;
  return true;
}

bool ParseHeight(std::string_view text, double& height) {
  double value = 0;
  if (!ParseNumber(text, false, value) || !(value > 0) || value > kLargestHeight) return false;
  height = value;
  return true;
}

}  // namespace

OptionScan ScanDrawOptions(int argc, const char* const* argv, DrawOptions& options) {
  auto done = [] { return std::string(); };
  auto flag = [](bool& set) {
    return [&set](const OptionValue&) {
      set = true;
      return std::string();
    };
  };
  // A file or code page named by an empty value would ask the system for
  // something else: the current folder, the locale's own code page.
  auto path = [](const char*& set, std::string_view needs) {
    return [&set, needs](const OptionValue& option) {
      if (*option.text == '\0') return OptionProblem(option.name, needs);
      set = option.text;
      return std::string();
    };
  };
  const OptionRule rules[] = {
      {"--output", 'o', true,
       [&](const OptionValue& option) {
         if (*option.text == '\0') return OptionProblem(option.name, "needs a file name");
         options.outputPath = std::string_view(option.text) == "-" ? nullptr : option.text;
         return done();
       }},
      {"--codes", 0, true,
       [&](const OptionValue& option) {
         if (!ParseCodes(option.text, options.firstCode, options.lastCode)) {
           return "--codes takes a range of hexadecimal codes A-B (A at most B, each 0 to FFFF) or one code, "
                  "not '" + std::string(option.text) + "'";
         }
         options.codesGiven = true;
         return done();
       }},
      {"--text", 0, true,
       [&](const OptionValue& option) {
         options.text = option.text;
         options.textArgument = option.argument;
         options.textOffset = option.offset;
         return done();
       }},
      {"--encoding", 0, true, path(options.encoding, "needs the name of a code page")},
      {"--bigfont", 0, true, path(options.bigfontPath, "needs a file name")},
      {"--width-factor", 0, true,
       [&](const OptionValue& option) {
         if (!ParseNumber(option.text, false, options.widthFactor) || !(options.widthFactor > 0) ||
             options.widthFactor > kLargestWidthFactor) {
           return "--width-factor takes a number above 0 and at most 100, not '" + std::string(option.text) + "'";
         }
         return done();
       }},
      {"--oblique", 0, true,
       [&](const OptionValue& option) {
         if (!ParseNumber(option.text, true, options.obliqueDegrees) ||
             std::fabs(options.obliqueDegrees) > kLargestOblique) {
           return "--oblique takes an angle in degrees from -85 to 85, not '" + std::string(option.text) + "'";
         }
         return done();
       }},
      {"--height", 0, true,
       [&](const OptionValue& option) {
         if (!ParseHeight(option.text, options.height)) {
           return "--height takes a number above 0 and at most 1000, not '" + std::string(option.text) + "'";
         }
         return done();
       }},
      {"--pen-width", 0, true,
       [&](const OptionValue& option) {
         std::string_view text = option.text;
         options.penPerHeight = !text.empty() && text.back() == '%';
         if (options.penPerHeight) text.remove_suffix(1);
         if (!ParseNumber(text, false, options.penWidth) || !(options.penWidth > 0) ||
             options.penWidth > (options.penPerHeight ? kLargestPenShare : kLargestPen)) {
           return "--pen-width takes a number above 0 and at most 65536, or a share up to 100%, not '" +
                  std::string(option.text) + "'";
         }
         if (options.penPerHeight) options.penWidth /= 100;
         return done();
       }},
      {"--list", 0, false, flag(options.list)},
  };
  bool fontGiven = false;
  auto font = [&](const char* operand, bool afterOptionsEnd) {
    std::string_view arg = operand;
    if (fontGiven) return "more than one FONT given: '" + std::string(arg) + "'";
    fontGiven = true;
    options.fontPath = arg == "-" && !afterOptionsEnd ? nullptr : operand;
    return done();
  };
  OptionScan scan = ScanCommandLine(argc, argv, rules, font);
  if (scan.verdict != OptionVerdict::kRun) return scan;
  auto usage = [](std::string error) { return OptionScan{OptionVerdict::kUsageError, std::move(error)}; };
  if (options.text != nullptr && options.codesGiven) return usage("--codes and --text cannot be used together");
  if (options.encoding != nullptr && options.text == nullptr) return usage("--encoding is for --text");
  if (options.text == nullptr) {
    if (options.bigfontPath != nullptr) return usage("--bigfont is for --text");
    if (options.widthFactor != 1) return usage("--width-factor is for --text");
    if (options.obliqueDegrees != 0) return usage("--oblique is for --text");
  }
  return {};
}

const char* DrawHelpText() {
  return "Usage: morlune-draw [options] [FONT]\n"
         "Draws the shapes of a compiled shape font (shapes 1.0, shapes 1.1, bigfont 1.0,\n"
         "unifont 1.0) read from the file FONT, or from standard input when FONT is\n"
         "absent or \"-\". FONT may also be shape source text, which is compiled first\n"
         "as morlune-compile does. The output is an SVG specimen sheet of every shape,\n"
         "one labelled cell each, unless an option below asks for something else.\n"
         "\n"
         "  -o, --output FILE\n"
         "                   write to FILE, which is replaced only once the output is\n"
         "                   complete (default, or -o -: standard output); FILE may\n"
         "                   not be FONT itself\n"
         "  --codes A-B      only the shapes whose codes lie from A to B, hexadecimal\n"
         "                   with or without the source text's leading 0 (41, 0041\n"
         "                   and 00041 are all 0x41); --codes A for one shape\n"
         "  --text STRING    draw STRING (UTF-8) as one line of text in the font\n"
         "  --encoding NAME  the code page of a shapes font's or a bigfont's codes, such\n"
         "                   as CP932, which the text of --text is converted to; the\n"
         "                   name must be one the system knows; a unifont does not\n"
         "                   use it\n"
         "  --bigfont BIG    --text: two-byte codes (lead bytes in BIG's escape ranges)\n"
         "                   are drawn from the bigfont BIG, the other bytes from FONT\n"
         "  --width-factor F --text: x stretched by F (above 0, at most 100; default 1)\n"
         "  --oblique DEG    --text: slanted by DEG degrees, -85 to 85 (default 0)\n"
         "  --height H       SVG units per text height (default 32; at most 1000)\n"
         "  --pen-width W    the strokes drawn with a round pen W font units wide, or\n"
         "                   W% of the font's height (default: a hairline)\n"
         "  --list           the exact listing of the geometry instead of SVG: a line\n"
         "                   per shape, its code, its advance and its path data\n"
         "  --help           show this help and exit\n"
         "  --version        show the version and exit\n"
         "\n"
         "Warnings go to standard error and the drawing goes on; at most 100 are\n"
         "shown. Exit status: 0 drawn or listed, 1 the input cannot be opened or\n"
         "read, is not a compiled shape font, or is source text with errors,\n"
         "2 usage error (-o naming FONT included), 3 the output cannot be written.\n";
}

}  // namespace morlune
