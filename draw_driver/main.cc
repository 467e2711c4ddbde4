// The entry of the morlune-draw executable: a run on the real standard
// streams, with the arguments in UTF-8 where the system gives main another
// code page.
#include "draw_driver/draw_run.h"
#include "platform/utf8_arguments.h"

int main(int argc, char** argv) {
  morlune::ToolStreams streams;
  std::vector<std::string> utf8;
  if (morlune::Utf8Arguments(utf8)) streams.utf8Arguments = &utf8;
  return morlune::RunMorluneDraw(argc, argv, streams);
}
