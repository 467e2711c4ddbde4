// One whole run of morlune, callable in-process: the arguments and the
// standard streams in, the exit status out.
#pragma once

#include "tools/common/tool_streams.h"

namespace morlune {

// Runs morlune with argv[0..argc) (argv[0] being the program's name) from a
// fresh state, and returns the exit status. Everything it opened is closed
// and everything it wrote is flushed when it returns.
int RunMorlune(int argc, const char* const* argv, const ToolStreams& streams);

}  // namespace morlune
