// The measures of single-line font files: capitals 9 units tall on the
// baseline y = 0, numbers with at most 5 decimals.
#pragma once

namespace morlune::convert {

inline constexpr double kLffCapitalHeight = 9;
inline constexpr int kLffDecimals = 5;
// The least difference its numbers show: one step of the last decimal. A
// point rounded to the steps moves less, and an advance, which the reader
// sums from two numbers so rounded, misses by at most one step.
inline constexpr double kLffStep = 1e-5;
// The reader's spacings where the file names none.
inline constexpr double kLffDefaultLetterSpacing = 3;
inline constexpr double kLffDefaultWordSpacing = 6.75;
// Its glyph table keeps 16-bit codes.
inline constexpr char32_t kLffLastCharacter = 0xFFFF;
// Arcs it cannot hold are cut into pieces straying at most this far.
inline constexpr double kLffFlatness = 0.005;
// The most vertices a glyph holds, its copies of other glyphs included:
// past them, a reader refuses the glyph rather than grow it without end.
inline constexpr long long kLffMostGlyphVertices = 1 << 16;

}  // namespace morlune::convert
