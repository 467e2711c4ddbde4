// The entry of the morlune-convert executable: a run on the real standard
// streams.
#include "convert_driver/run_convert.h"

int main(int argc, char** argv) {
  return morlune::convert::RunMorluneConvert(argc, argv, morlune::ToolStreams{});
}
