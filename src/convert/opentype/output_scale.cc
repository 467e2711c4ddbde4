// Choosing the factor from the font's units to the output's.
#include "convert/opentype/output_scale.h"

#include <algorithm>
#include <cmath>

namespace morlune::convert {

double OutputScale(double capHeight) {
  if (!(capHeight > 0) || !std::isfinite(capHeight)) capHeight = 1;
  // A height so small or so large would take every point out of range or
  // onto one spot; within these bounds every product stays finite.
  double exact = std::clamp(kCapitalUnits / capHeight, kLeastScale, kMostScale);
  double whole = std::round(exact);
  if (whole >= 1 && std::fabs(whole / exact - 1) <= kWholeFactorSlack) return whole;
  return exact;
}

}  // namespace morlune::convert
