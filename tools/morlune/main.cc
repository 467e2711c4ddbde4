// The entry of the morlune executable: a run on the real standard streams.
#include "tools/morlune/run.h"

int main(int argc, char** argv) {
  return morlune::RunMorlune(argc, argv, morlune::ToolStreams{});
}
