// The body of a compiled font: its header, its index and the shape loop.
#pragma once

#include <cstdint>

#include "driver/dump_context.h"

namespace morlune {

// Reads the header and index of the variant in context.kind and dumps the
// records; refusals of a header or index are reported here. Returns when the
// dump is over, however it ended.
void DumpFontBody(DumpContext& context);

// Calls DumpShape up to count times, stopping early when it returns 0.
void RunShapeLoop(DumpContext& context, std::uint16_t count);

}  // namespace morlune
