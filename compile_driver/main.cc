// The entry of the morlune-compile executable: a run on the real standard
// streams.
#include "compile_driver/run_compile.h"
#include "platform/tool_exit_status.h"
#include "platform/tool_main.h"

int main(int argc, char** argv) {
  return morlune::RunToolMain("morlune-compile", morlune::kToolExitUsage, [&] {
    return morlune::RunMorluneCompile(argc, argv, morlune::ToolStreams{});
  });
}
