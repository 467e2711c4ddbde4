// The entry of the morlune-convert executable: a run on the real standard
// streams.
#include "convert_driver/run_convert.h"
#include "platform/tool_exit_status.h"
#include "platform/tool_main.h"

int main(int argc, char** argv) {
  return morlune::RunToolMain("morlune-convert", morlune::kToolExitUsage, [&] {
    return morlune::convert::RunMorluneConvert(argc, argv, morlune::ToolStreams{});
  });
}
