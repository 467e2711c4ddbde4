// The entry of the morlune-check executable: a run on the real standard
// streams.
#include "tools/morlune-check/check_run.h"
#include "tools/common/tool_exit_status.h"
#include "tools/common/tool_main.h"

int main(int argc, char** argv) {
  return morlune::RunToolMain("morlune-check", morlune::ExitStatus::kUsage, [&] {
    return morlune::RunMorluneCheck(argc, argv, morlune::ToolStreams{});
  });
}
