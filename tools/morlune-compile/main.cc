// The entry of the morlune-compile executable: a run on the real standard
// streams.
#include "tools/morlune-compile/run_compile.h"
#include "tools/common/tool_exit_status.h"
#include "tools/common/tool_main.h"

int main(int argc, char** argv) {
  return morlune::RunToolMain("morlune-compile", morlune::ExitStatus::kUsage, [&] {
    return morlune::RunMorluneCompile(argc, argv, morlune::ToolStreams{});
  });
}
