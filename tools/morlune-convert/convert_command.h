// The command line of morlune-convert:
//   morlune-convert [options] INPUT OUTPUT
#pragma once

#include <optional>
#include <string>

#include <morlune/compile.h>
#include <morlune/convert.h>

namespace morlune::convert {

struct ConvertCommand {
  bool help = false;
  bool version = false;
  std::string inputPath;   // "-": standard input
  std::string outputPath;  // "-": standard output
  std::optional<FontFormat> from;  // --from, else from INPUT's extension
  std::optional<FontFormat> to;    // --to, else from OUTPUT's extension
  std::string encoding;
  bool strict = false;
  int heightUnits = 0;           // 0: chosen from the input
  double tolerance = 0.01;       // with tolerancePerCap: a share of the capital height
  bool tolerancePerCap = true;   // false: tolerance in the input's units
  std::optional<Variant> variant;
  std::string problem;  // set when the command line is wrong
};

ConvertCommand ParseConvertCommand(int argc, const char* const* argv);

extern const char kConvertUsage[];

}  // namespace morlune::convert
