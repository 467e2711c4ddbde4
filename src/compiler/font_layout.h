// The containers of the four compiled variants, written from the records of
// a source text that has passed every check.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "source/source_font.h"

namespace morlune {

// A bigfont index entry's offset is read as a signed 32-bit position.
inline constexpr unsigned long long kLargestBigfontOffset = 0x7FFFFFFF;

// The bytes of a font of font.kind, its records with the names given
// (names[i] for font.records[i]), handed to put in order: the head and
// index at once, then each record's name and data, so that a font of many
// megabytes need not be copied whole once more.
void LayOutFont(const SourceFont& font, const std::vector<std::string_view>& names,
                const std::function<void(std::string_view)>& put);
// The size of the font that LayOutFont hands out.
std::size_t LaidOutSize(const SourceFont& font, const std::vector<std::string_view>& names);

// The records of a bigfont in the order of its index: ascending codes, the
// text's order among equal ones.
std::vector<std::size_t> BigfontOrder(const SourceFont& font);

}  // namespace morlune
