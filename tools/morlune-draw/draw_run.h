// One whole run of morlune-draw, callable in-process: the arguments and the
// standard streams in, the exit status out.
#pragma once

#include "tools/common/tool_streams.h"

namespace morlune {

int RunMorluneDraw(int argc, const char* const* argv, const ToolStreams& streams);

}  // namespace morlune
