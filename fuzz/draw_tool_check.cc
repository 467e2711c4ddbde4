// The draw target's inputs through a whole run of morlune-draw, with the
// contract's bounds that the tool keeps: replayed over the corpus as a test
// (not fuzzed: a hostile font may take the run's million items). The low
// two bits of the first byte pick the output (the listing, the specimen, a
// line of text, the specimen of a range of codes); the rest is the font,
// read as standard input. The output must be a listing of finite numbers,
// or SVG whose tags balance and hold no NaN or infinity.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/morlune-draw/draw_run.h"
#include "fuzz/path_compare.h"
#include "tools/common/tool_exit_status.h"

namespace {

const std::vector<const char*> kArgumentSets[4] = {
    {"morlune-draw", "--list"},
    {"morlune-draw"},
    {"morlune-draw", "--text", "A0 \xC3\xA9\xE4\xBA\x9C"},
    {"morlune-draw", "--codes", "30-5A", "--height", "7.5"},
};

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
  if (status == morlune::ExitNumber(morlune::ExitStatus::kRefused)) return 0;
  if (status != morlune::ExitNumber(morlune::ExitStatus::kDone)) std::abort();
  if (mode == 0 ? !morlune::fuzzing::IsBoundedListing(out) : !morlune::fuzzing::IsBalancedSvg(out)) std::abort();
  return 0;
}
