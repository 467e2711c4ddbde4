// The entry of the morlune-compile executable: a run on the real standard
// streams.
#include "compile_driver/run_compile.h"

int main(int argc, char** argv) {
  return morlune::RunMorluneCompile(argc, argv, morlune::ToolStreams{});
}
