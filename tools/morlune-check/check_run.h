// One whole run of morlune-check, callable in-process: the arguments and
// the standard streams in, the exit status out.
#pragma once

#include <morlune/geometry.h>

#include "tools/common/tool_streams.h"

namespace morlune {

// limits: the drawing's bounds (smaller ones serve fuzzing).
int RunMorluneCheck(int argc, const char* const* argv, const ToolStreams& streams,
                    const DrawLimits& limits = DrawLimits{});

}  // namespace morlune
