// The command line of morlune-draw: [options] [FONT].
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/common/option_scanner.h"

namespace morlune {

struct DrawOptions {
  const char* fontPath = nullptr;    // null: standard input
  const char* outputPath = nullptr;  // null: standard output (also for -o -)
  std::uint16_t firstCode = 0;  // --codes: the range drawn
  std::uint16_t lastCode = 0xFFFF;
  bool codesGiven = false;
  const char* text = nullptr;  // --text: the UTF-8 line
  int textArgument = 0;        // the argument that holds it
  std::size_t textOffset = 0;  // where in that argument it begins
  const char* encoding = nullptr;
  const char* bigfontPath = nullptr;  // --bigfont: two-byte codes of the text
  double widthFactor = 1;             // --width-factor
  double obliqueDegrees = 0;          // --oblique
  double height = 32;
  double penWidth = 0;        // --pen-width: font units, or with penPerHeight a share of the height
  bool penPerHeight = false;
  bool list = false;
};

OptionScan ScanDrawOptions(int argc, const char* const* argv, DrawOptions& options);

// The text of --help.
const char* DrawHelpText();

}  // namespace morlune
