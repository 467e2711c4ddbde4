// The entry of the morlune-draw executable: a run on the real standard
// streams.
#include "draw_driver/draw_run.h"

int main(int argc, char** argv) { return morlune::RunMorluneDraw(argc, argv, morlune::DrawStreams{}); }
