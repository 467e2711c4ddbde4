// The entry of the morlune-draw executable: a run on the real standard
// streams, with the arguments in UTF-8 where the system gives main another
// code page. A font it cannot read ends with status 1, as one it cannot open.
#include "tools/morlune-draw/draw_run.h"
#include "tools/common/tool_exit_status.h"
#include "tools/common/tool_main.h"
#include "tools/common/utf8_arguments.h"

int main(int argc, char** argv) {
  return morlune::RunToolMain("morlune-draw", morlune::ExitStatus::kRefused, [&] {
    morlune::ToolStreams streams;
    std::vector<std::string> utf8;
    if (morlune::Utf8Arguments(utf8)) streams.utf8Arguments = &utf8;
    return morlune::RunMorluneDraw(argc, argv, streams);
  });
}
