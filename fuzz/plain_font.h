// Whether a compiled font is plain: its decompiled text compiles to a font
// that decompiles to the same text. Every record's data are whole items
// that end at its declared length, each font-header record holds the
// values that the decompiler prints (the last one 0), no name holds a line
// end or ends with a carriage return, a unifont has a font-header record,
// and a bigfont no two records of one code (the compiler refuses them).
// Every record that the font announces is there: a record that the end of
// the file cuts short ends the text, and a bigfont's text counts it all
// the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include <morlune/compile.h>


namespace morlune::fuzzing {

// The variant of a plain font; none for any other input.
std::optional<Variant> PlainFontKind(const std::uint8_t* data, std::size_t size);

}  // namespace morlune::fuzzing
