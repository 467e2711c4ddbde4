// The table-driven reading of the tools' command lines.
#include "tools/common/option_scanner.h"

#include <utility>

namespace morlune {
namespace {

const OptionRule* FindLong(std::span<const OptionRule> rules, std::string_view name) {
  for (const OptionRule& rule : rules) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

const OptionRule* FindShort(std::span<const OptionRule> rules, char letter) {
  for (const OptionRule& rule : rules) {
    if (rule.shortName != 0 && rule.shortName == letter) return &rule;
  }
  return nullptr;
}

OptionScan Problem(std::string error) { return {OptionVerdict::kUsageError, std::move(error)}; }

}  // namespace

std::string OptionProblem(std::string_view name, std::string_view what) {
  std::string text = "option '";
  text.append(name).append("' ").append(what);
  return text;
}

OptionScan ScanCommandLine(int argc, const char* const* argv, std::span<const OptionRule> rules,
                           const OperandHandler& operand) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      if (std::string problem = operand(argv[i], optionsEnded); !problem.empty()) return Problem(problem);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    OptionValue option;
    const OptionRule* rule = nullptr;
    bool longForm = arg.starts_with("--");
    if (longForm) {
      // The first "=" ends the name: a value may hold "=" itself.
      std::size_t equals = arg.find('=');
      option.name = arg.substr(0, equals);
      if (equals != std::string_view::npos) {
        option.text = argv[i] + equals + 1;
        option.argument = i;
        option.offset = equals + 1;
      }
      if (option.name == "--help" || option.name == "--version") {
        if (option.text != nullptr) return Problem(OptionProblem(option.name, "takes no value"));
        return {option.name == "--help" ? OptionVerdict::kHelp : OptionVerdict::kVersion, ""};
      }
      rule = FindLong(rules, option.name);
    } else {
      option.name = arg.substr(0, 2);
      rule = FindShort(rules, arg[1]);
      // A short option's value may follow its letter at once: -oFILE.
      if (rule != nullptr && rule->takesValue && arg.size() > 2) {
        option.text = argv[i] + 2;
        option.argument = i;
        option.offset = 2;
      } else if (arg.size() > 2) {
        rule = nullptr;
      }
    }
    if (rule == nullptr) return Problem("unknown option '" + std::string(longForm ? option.name : arg) + "'");
    if (rule->takesValue && option.text == nullptr) {
      if (i + 1 >= argc) return Problem(OptionProblem(option.name, "needs a value"));
      ++i;
      option.text = argv[i];
      option.argument = i;
      option.offset = 0;
    } else if (!rule->takesValue && option.text != nullptr) {
      return Problem(OptionProblem(option.name, "takes no value"));
    }
    if (std::string problem = rule->handle(option); !problem.empty()) return Problem(problem);
  }
  return {};
}

}  // namespace morlune
