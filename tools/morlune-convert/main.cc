// The entry of the morlune-convert executable: a run on the real standard
// streams.
#include "tools/morlune-convert/run_convert.h"
#include "tools/common/tool_exit_status.h"
#include "tools/common/tool_main.h"

int main(int argc, char** argv) {
  return morlune::RunToolMain("morlune-convert", morlune::ExitStatus::kUsage, [&] {
    return morlune::convert::RunMorluneConvert(argc, argv, morlune::ToolStreams{});
  });
}
