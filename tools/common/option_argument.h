// The options of the tools beside morlune, in the manner of Unix tools: a
// long option's value after "=" in the same argument (--name=VALUE), -o's
// right after it (-oFILE), or else the next argument.
#pragma once

#include <string>
#include <string_view>

namespace morlune {

struct OptionArgument {
  std::string_view name;        // "--name" or "-o", without the value
  const char* value = nullptr;  // the value within the argument; null for none
};

// Splits one argument that begins with "-". "-oFILE" is split only for a
// tool that has -o.
inline OptionArgument SplitOptionArgument(const char* argument, bool hasShortOutput = true) {
  std::string_view arg = argument;
  if (arg.starts_with("--")) {
    if (std::size_t equals = arg.find('='); equals != std::string_view::npos) {
      return {arg.substr(0, equals), argument + equals + 1};
    }
  } else if (hasShortOutput && arg.starts_with("-o") && arg.size() > 2) {
    return {"-o", argument + 2};
  }
  return {arg, nullptr};
}

// The value of an option that takes one: the value within its argument, or
// the next argument, which i then moves past; null where none is left.
inline const char* TakeOptionValue(const OptionArgument& option, int argc, const char* const* argv, int& i) {
  if (option.value != nullptr) return option.value;
  return i + 1 < argc ? argv[++i] : nullptr;
}

// For a tool that says "takes no value" of a value given to an option that
// takes none: the option's value, null for such an option. False, with the
// problem, where one is missing or is one too many.
inline bool ReadOptionValue(const OptionArgument& option, bool takesValue, int argc, const char* const* argv, int& i,
                            const char*& value, std::string& problem) {
  value = takesValue ? TakeOptionValue(option, argc, argv, i) : option.value;
  if (takesValue && value == nullptr) {
    problem = "option '" + std::string(option.name) + "' needs a value";
    return false;
  }
  if (!takesValue && value != nullptr) {
    problem = "option '" + std::string(option.name) + "' takes no value";
    return false;
  }
  return true;
}

}  // namespace morlune
