// One whole run of morlune-convert, callable in-process: the arguments and
// the standard streams in, the exit status out.
#pragma once

#include "tools/common/tool_streams.h"

namespace morlune::convert {

int RunMorluneConvert(int argc, const char* const* argv, const ToolStreams& streams);

}  // namespace morlune::convert
