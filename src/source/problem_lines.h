// A source text's problems as every tool shows them, one line each:
//   FILE:LINE:COLUMN: error: TEXT   (or warning:)
// within the tools' one limit of problems shown.
#pragma once

#include <string_view>

#include "platform/tool_messages.h"
#include "source/diagnostics.h"

namespace morlune {

void ShowSourceProblems(ToolMessages& messages, std::string_view sourceName, const Diagnostics& diagnostics);

}  // namespace morlune
