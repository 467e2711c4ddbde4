// One shape record: its name, its header text and its specification.
#pragma once

#include "driver/dump_context.h"

namespace morlune {

// Dumps the record that the record cursor hands out next: the font-header
// lines for code 0, otherwise the shape header line and the decoded
// specification. Returns 0 when the shape loop must stop (the input ended
// before the name's end, or the cursor stopped), 1 to go on.
int DumpShape(DumpContext& context);

}  // namespace morlune
