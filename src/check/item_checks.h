// The checks of one shape record's specification bytes, item by item.
#pragma once

#include <cstdint>
#include <span>
#include <vector>
#include <morlune/compile.h>

#include "check/finding.h"

namespace morlune::check {

// Appends what the items of a record's declared bytes say, by the drawing's
// split: the last item cut off by the record's end (as a length mismatch
// where readPastEnd, the decompiler having read past the end for it), bytes
// after the ending 0, no ending 0, scales of 0, pushes never popped. The
// item that a 14 skips applies to vertical text only: it neither ends the
// record nor scales or moves the stack.
void CheckItems(std::uint32_t code, std::span<const unsigned char> spec, Variant kind, bool readPastEnd,
                std::vector<Finding>& findings);

}  // namespace morlune::check
