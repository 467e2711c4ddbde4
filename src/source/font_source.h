// The source text of a whole font: every record that the reader hands out,
// written as header lines and items.
#pragma once

#include <cstdint>

#include "fontfile/font_reader.h"
#include "source/source_writer.h"

namespace morlune {

struct SourceTextOptions {
  bool decimalCodes = false;  // codes in decimal
  bool escapedNames = false;  // "esc:" default names for two printable bytes
};

// How the writing of a font's source text ended: the head refused (no
// record written), or the record loop over, on its own, at a failed seek,
// or at the first write that the output refused.
struct FontSourceEnd {
  HeadResult head = HeadResult::kReady;
  bool seekFailed = false;
  bool outputFailed = false;
};

// Reads the head, then writes every record in the reader's order.
FontSourceEnd WriteFontSource(FontReader& reader, SourceWriter& writer, const SourceTextOptions& options);

// Reads a record's specification bytes, counter bytes declared, and writes
// them as source items. Returns 0 when the input ended where a code byte was
// due (or inside a code 13 list), 1 when the shape is finished.
int DecodeShapeSpec(ByteInput& input, Variant kind, SourceWriter& writer, bool decimalCodes,
                    std::int16_t counter);

}  // namespace morlune
