// Recognition of the compiled variant by the signature at the file's head.
#pragma once

#include "grammar/shape_file_kind.h"
#include "platform/byte_input.h"

namespace morlune {

// The four signature texts, in ShapeFileKind order. In the file the byte
// 0x1A follows each directly.
extern const char* const kShapeFileSignatures[4];

// Reads the head of the input up to and including the byte 0x1A (at most
// 99 bytes are kept, and reading stops there) and returns the variant whose
// signature it equals, compared as zero-terminated text, or kUnknown. Leaves
// the input just past the last byte read.
ShapeFileKind IdentifyShapeFile(ByteInput& input);

}  // namespace morlune
