// What the fuzz targets check in the drawing's output: the listing's and
// the pictures' shape, their numbers, and that the specimen draws what the
// listing draws.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morlune::fuzzing {

// Each line a code, an advance "x,y" and path data of M, L and A with
// every number finite and at most 2^31 in magnitude (the drawing's bounds).
bool IsBoundedListing(std::string_view listing);

// Every tag closed in order under one svg element; no NaN or infinity.
bool IsBalancedSvg(std::string_view svg);

// The specimen's glyphs, one per cell in order, as the path data of its
// glyph (empty where it draws nothing) and the scale its matrix gives.
struct SpecimenGlyph {
  std::string pathData;
  double pixelsPerUnit = 0;
};
std::vector<SpecimenGlyph> SpecimenGlyphs(std::string_view svg);

// The listing's line and the specimen's glyph draw the same segments, in
// the same order: each end point and radius within the rounding of the
// picture's decimals, each arc with the same flags. Moves are not compared:
// either writer leaves one out where its rounding joins two points.
bool SamePaths(std::string_view listingLine, const SpecimenGlyph& glyph);

}  // namespace morlune::fuzzing
