// The command line of morlune-compile:
//   morlune-compile [-o OUTPUT] [--variant VARIANT] [--drop-default-names]
//                   [--take-counted] [SOURCE]
// with --help and --version.
#pragma once

#include <string>

#include <morlune/compile.h>

namespace morlune {

struct CompileCommand {
  bool help = false;
  bool version = false;
  CompileOptions options;
  const char* outputPath = nullptr;  // null or "-": standard output
  const char* sourcePath = nullptr;  // null: standard input
  std::string problem;               // set when the command line is wrong
};

// Options may stand before or after SOURCE; "--" ends them, and "-" is
// standard input.
CompileCommand ParseCompileCommand(int argc, const char* const* argv);

// The text of --help.
extern const char kCompileUsage[];

}  // namespace morlune
