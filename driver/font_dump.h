// The dump of a recognised font: its records read one at a time and written
// as source text.
#pragma once

#include <cstdint>

#include "driver/dump_context.h"
#include "fontfile/font_reader.h"
#include "source/source_writer.h"

namespace morlune {

// Reads the header and index of the variant in context.kind and dumps the
// records; refusals of a header or index and a failed seek are reported
// here. Returns when the dump is over, however it ended.
void DumpFontBody(DumpContext& context);

// Dumps the record that the reader hands out next. Returns 0 when the
// record loop must stop, 1 to go on.
int DumpShape(DumpContext& context, FontReader& reader, SourceWriter& writer);

// Reads a record's specification bytes, counter bytes declared, and writes
// them as source items. Returns 0 when the input ended where a code byte was
// due (or inside a code 13 list), 1 when the shape is finished.
int DecodeShapeSpec(DumpContext& context, SourceWriter& writer, std::int16_t counter);

}  // namespace morlune
