// A decimal number read as std::from_chars reads it (the nearest double,
// the same end), the common short ones without its call.
#pragma once

#include <charconv>

namespace morlune::convert {

std::from_chars_result ReadDecimal(const char* first, const char* last, double& value);

}  // namespace morlune::convert
