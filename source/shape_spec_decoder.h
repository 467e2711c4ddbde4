// The shape specification decoder: specification bytes in, source items out.
#pragma once

#include <cstdint>

#include "driver/dump_context.h"

namespace morlune {

// Decodes the record's specification bytes from the input, starting with
// counter bytes declared, and writes them as source items through the
// wrapped writer. Returns 0 when the input ended where a code byte was due
// (or inside a code 13 list), 1 when the shape is finished.
int DecodeShapeSpec(DumpContext& context, std::int16_t counter);

}  // namespace morlune
