// Drawing a font built in memory into its listing, and comparing listings
// within the tolerance that arcs need.
#pragma once

#include <string>
#include <vector>

#include "tests/support/font_builder.h"

namespace morlune::testing {

struct DrawnListing {
  std::string listing;
  std::string warnings;  // one "CODE: TEXT" line per shape warning, "TEXT" per font warning
};

// The listing of every record of the compiled font, as --list writes it.
DrawnListing ListFont(const std::string& font);

// Equal but for numbers, which may differ by 1e-9 relative or 1e-6
// absolute, whichever is larger.
bool SameWithinTolerance(const std::string& got, const std::string& expected);

// The font-header record of a font 4 units high: a frame of w = 4 at scale
// s stretches the framed record by s.
inline FontRecord Header() { return Shape(0, "T", {4, 1, 0, 0}); }

// A font of records and what the listing must give for it.
struct ListingRow {
  const char* what;
  std::vector<FontRecord> records;
  std::string listing;
  std::string warnings = "";
  bool arcs = false;  // numbers compared within the tolerance of arcs
  FontVariant variant = FontVariant::kShapes11;
};

void ExpectListings(const std::vector<ListingRow>& rows);

}  // namespace morlune::testing
