// The entry of the morlune-check executable: a run on the real standard
// streams.
#include "check_driver/check_run.h"

int main(int argc, char** argv) { return morlune::RunMorluneCheck(argc, argv, morlune::ToolStreams{}); }
