// One reading of the command line for the tools beside morlune, driven by a
// table of options: long options as "--name VALUE" or "--name=VALUE", the
// short -o as "-o FILE" or "-oFILE", "--" before operands that begin with
// "-", and --help and --version in every tool, with one wording for every
// error of the command line's form.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace morlune {

enum class OptionVerdict { kRun, kHelp, kVersion, kUsageError };

struct OptionScan {
  OptionVerdict verdict = OptionVerdict::kRun;
  std::string error;  // for kUsageError
};

// An option as the command line gave it.
struct OptionValue {
  std::string_view name;       // as written: "-o" or "--output"
  const char* text = nullptr;  // the value; null for an option that takes none
  int argument = 0;            // the argument that holds the value
  std::size_t offset = 0;      // where in that argument the value begins
};

// A handler's answer: empty to go on, else the problem, which ends the scan.
using OptionHandler = std::function<std::string(const OptionValue& option)>;
// An operand; afterOptionsEnd: it came after "--", so "-" is a file name.
using OperandHandler = std::function<std::string(const char* operand, bool afterOptionsEnd)>;

struct OptionRule {
  std::string_view name;  // "--output"
  char shortName = 0;     // 'o' for -o; 0: none
  bool takesValue = false;
  OptionHandler handle;
};

// Reads argv[1..argc) in order. The first problem, --help or --version met
// ends the scan and decides the verdict; options and operands may mix.
OptionScan ScanCommandLine(int argc, const char* const* argv, std::span<const OptionRule> rules,
                           const OperandHandler& operand);

// "option '--name' needs a value" and its kin: the words every tool uses.
std::string OptionProblem(std::string_view name, std::string_view what);

}  // namespace morlune
