// One whole run of morlune-compile, callable in-process: the arguments and
// the standard streams in, the exit status out.
#pragma once

#include "tools/common/tool_streams.h"

namespace morlune {

// Runs morlune-compile with argv[0..argc) and returns the exit status.
int RunMorluneCompile(int argc, const char* const* argv, const ToolStreams& streams);

}  // namespace morlune
