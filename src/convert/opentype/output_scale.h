// The output's font units: an em of 2048, a capital about two thirds of
// it, reached from the font's own units by a whole factor where one comes
// near enough, so that whole-unit advances and points stay exact.
#pragma once

#include <cstdint>

namespace morlune::convert {

inline constexpr std::uint16_t kUnitsPerEm = 2048;
// A capital's height in output units: 0.662 of the em, as the SVG font
// export sets it, so that text at one size is as tall in either.
inline constexpr double kCapitalUnits = 1356;
// A whole factor is taken where it makes a capital at most this share
// taller or shorter than kCapitalUnits.
inline constexpr double kWholeFactorSlack = 0.05;

// The factor is held within these.
inline constexpr double kLeastScale = 1e-12;
inline constexpr double kMostScale = 1e12;

// Output units per unit of the font, for a capital this many of those
// units tall (a height that is not a positive number counts as 1).
double OutputScale(double capHeight);

}  // namespace morlune::convert
