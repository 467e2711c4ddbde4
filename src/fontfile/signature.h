// Recognition of the compiled variant by the signature at the file's head.
#pragma once

#include <optional>
#include <string_view>

#include <morlune/compile.h>

#include "platform/byte_input.h"

namespace morlune {

// The four signature texts, in Variant order. In the file the byte
// 0x1A follows each directly.
extern const char* const kShapeFileSignatures[4];

// "shapes 1.1" and the like, as messages and captions name a variant: the
// words of its signature between the first blank and the line end.
std::string_view SignatureVariantName(Variant variant);

// Reads the head of the input up to and including the byte 0x1A (at most
// 99 bytes are kept, and reading stops there) and returns the variant whose
// signature it equals, compared as zero-terminated text, or none. Leaves
// the input just past the last byte read.
std::optional<Variant> IdentifyShapeFile(ByteInput& input);

}  // namespace morlune
