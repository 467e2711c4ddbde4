// Decimal numbers as the interchange files hold them: fixed notation, at
// most so many decimals, trailing zeros and a trailing point dropped,
// never "-0".
#pragma once

#include <string>

namespace morlune::convert {

std::string DecimalText(double value, int decimals);

}  // namespace morlune::convert
