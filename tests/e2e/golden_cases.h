// The golden end-to-end cases: a font per variant that looks like a real one, the options of each run and
// the file of source text worked out by hand for it. Any build can replay them: run with the options and the
// font's path last, compare standard output byte for byte (line feeds), standard error and the exit status.
#pragma once

#include <string>
#include <vector>

namespace morlune::testing {

std::string GoldenShapes10Font();
std::string GoldenShapes11Font();
std::string GoldenBigfontFont();
std::string GoldenUnifontFont();

struct GoldenCase {
  const char* name;
  std::string (*buildFont)();
  std::vector<std::string> options;  // given before the font's path
  const char* expectedFile;          // relative to the top of the source tree
  const char* expectedErrors;        // the whole of standard error
  int status;
};

const std::vector<GoldenCase>& GoldenCases();

}  // namespace morlune::testing
