// The record cursor: where the next shape record is, in the variant's order.
#pragma once

#include <cstdint>

#include "driver/dump_context.h"

namespace morlune {

enum class RecordStep {
  kReady,  // code and length are set; the input stands at the record
  kSkip,   // a bigfont entry of length 0: nothing to read or write
  kStop,   // the dump ends here (a failed seek)
};

struct ShapeRecordPlace {
  std::uint16_t code = 0;
  std::uint16_t length = 0;
};

// Shapes: the next index entry (the records follow the index back to back).
// Bigfont: the next entry in code order, with the input placed at its
// offset; a failed positioning writes "Seek error" and stops. Unifont: the
// code and length words read where the input stands.
RecordStep NextShapeRecord(DumpContext& context, ShapeRecordPlace& place);

}  // namespace morlune
