// Fuzz target: a whole run of morlune-check over any bytes held in memory,
// read as standard input: a compiled font, source text or neither, so the
// corpora of the other targets serve it as they are. The input's size
// modulo 4 picks the output (lines, JSON, and each with a coverage set).
// The run must end with status 0 or 1, and its output must be whole: lines
// that all name the input and a summary line last, or one JSON document
// whose strings and brackets close.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tools/morlune-check/check_run.h"
#include "tools/common/tool_exit_status.h"

namespace {

const std::vector<const char*> kArgumentSets[4] = {
    {"morlune-check"},
    {"morlune-check", "--json"},
    {"morlune-check", "--coverage", "U+0020-00FF", "--fail-on", "INFO"},
    {"morlune-check", "--json", "--coverage", "U+0400-04FF"},
};

bool IsLines(std::string_view out) {
  if (out.empty() || out.back() != '\n') return false;
  std::size_t last = out.rfind('\n', out.size() - 2);
  std::string_view summary = out.substr(last == std::string_view::npos ? 0 : last + 1);
  if (!summary.starts_with("1 font checked: ")) return false;
  for (std::size_t at = 0; at < out.size() - summary.size(); at = out.find('\n', at) + 1) {
    if (out.substr(at, 7) != "<stdin>") return false;
  }
  return true;
}

// Brackets balance outside strings, strings close, no raw control byte.
bool IsJsonShaped(std::string_view out) {
  if (!out.starts_with("{\"schema\": 1, ") || !out.ends_with("}\n")) return false;
  std::vector<char> open;
  bool inString = false;
  for (std::size_t i = 0; i + 1 < out.size(); ++i) {
    char c = out[i];
    if (inString) {
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      open.push_back(c == '{' ? '}' : ']');
    } else if (c == '}' || c == ']') {
      if (open.empty() || open.back() != c) return false;
      open.pop_back();
    }
  }
  return !inString && open.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int mode = static_cast<int>(size % 4);
  const std::vector<const char*>& args = kArgumentSets[mode];
  std::string out, err;
  morlune::ToolStreams streams;
  streams.inputData = data;
  streams.inputSize = size;
  streams.outputCapture = &out;
  streams.errorCapture = &err;
  int status = morlune::RunMorluneCheck(static_cast<int>(args.size()), args.data(), streams);
  using morlune::ExitNumber, morlune::ExitStatus;
  if (status != ExitNumber(ExitStatus::kDone) && status != ExitNumber(ExitStatus::kRefused)) std::abort();
  if (!err.empty()) std::abort();
  if (mode % 2 == 0 ? !IsLines(out) : !IsJsonShaped(out)) std::abort();
  return 0;
}
