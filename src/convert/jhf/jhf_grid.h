// The Hershey grid of JHF lines: a coordinate is one character, its value
// the distance from 'R', capitals 21 units tall, baseline at +9, y down.
#pragma once

namespace morlune::convert {

inline constexpr int kJhfCapitalHeight = 21;
inline constexpr int kJhfBaseline = 9;
// The characters '!' to '~'; a space stands only in the pen-up pair " R".
inline constexpr int kJhfLeast = '!' - 'R';
inline constexpr int kJhfMost = '~' - 'R';
inline constexpr char kJhfZero = 'R';
// Lines become byte codes 32 and up; a reader keeps 256 codes.
inline constexpr int kJhfFirstCode = 32;
inline constexpr int kJhfMostLines = 224;
// The pair count stands in three columns.
inline constexpr int kJhfMostPairs = 999;
// Below this share of a unit a difference is the arithmetic's noise, not
// the grid's rounding.
inline constexpr double kJhfNoise = 1e-6;

}  // namespace morlune::convert
