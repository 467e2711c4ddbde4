// Fuzz target: a whole run of morlune-draw over a font held in memory. The
// low two bits of the first byte pick the output (the listing, the
// specimen, a line of text, the specimen of a range of codes); the rest is
// the font, read as standard input. The output must be a listing of finite
// numbers, or SVG whose tags balance and hold no NaN or infinity.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "draw_driver/draw_exit_status.h"
#include "draw_driver/draw_run.h"

namespace {

const std::vector<const char*> kArgumentSets[4] = {
    {"morlune-draw", "--list"},
    {"morlune-draw"},
    {"morlune-draw", "--text", "A0 \xC3\xA9\xE4\xBA\x9C"},
    {"morlune-draw", "--codes", "30-5A", "--height", "7.5"},
};

bool NumbersAreFinite(std::string_view text) {
  return text.find("nan") == std::string_view::npos && text.find("inf") == std::string_view::npos;
}

// Each line: code, advance, path data, separated by tabs.
bool IsListing(const std::string& out) {
  if (!NumbersAreFinite(out)) return false;
  std::size_t tabs = 0;
  for (char c : out) {
    if (c == '\t') ++tabs;
    if (c == '\n') {
      if (tabs != 2) return false;
      tabs = 0;
    }
  }
  return tabs == 0;
}

// Every tag closed in order, under one svg element; numbers only inside tags.
bool IsBalancedSvg(const std::string& out) {
  std::vector<std::string_view> open;
  bool rootSeen = false;
  for (std::size_t at = out.find('<'); at != std::string::npos; at = out.find('<', at)) {
    std::size_t end = out.find('>', at);
    if (end == std::string::npos) return false;
    std::string_view tag(out.data() + at + 1, end - at - 1);
    at = end;
    if (!NumbersAreFinite(tag)) return false;
    if (tag.starts_with('?') || tag.starts_with('!')) continue;
    if (tag.starts_with('/')) {
      if (open.empty() || open.back() != tag.substr(1)) return false;
      open.pop_back();
      continue;
    }
    if (open.empty()) {
      if (rootSeen) return false;
      rootSeen = true;
    }
    if (!tag.ends_with('/')) open.push_back(tag.substr(0, tag.find(' ')));
  }
  return rootSeen && open.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  int mode = data[0] & 3;
  const std::vector<const char*>& args = kArgumentSets[mode];
  std::string out, err;
  morlune::ToolStreams streams;
  streams.inputData = data + 1;
  streams.inputSize = size - 1;
  streams.outputCapture = &out;
  streams.errorCapture = &err;
  int status = morlune::RunMorluneDraw(static_cast<int>(args.size()), args.data(), streams);
  if (status == morlune::kDrawExitNoFont) return 0;
  if (status != morlune::kDrawExitDone) std::abort();
  if (mode == 0 ? !IsListing(out) : !IsBalancedSvg(out)) std::abort();
  return 0;
}
