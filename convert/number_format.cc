#include "convert/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace morlune::convert {

std::string DecimalText(double value, int decimals) {
  if (!std::isfinite(value)) value = 0;
  char text[512];
  int written = std::snprintf(text, sizeof text, "%.*f", decimals, value);
  if (written <= 0) return "0";
  // Trimmed in the buffer, the string made once: g++ 12 takes edits of a
  // short string for overlapping copies under the sanitizers.
  std::size_t end = std::min<std::size_t>(static_cast<std::size_t>(written), sizeof text - 1);
  if (std::memchr(text, '.', end) != nullptr) {
    while (text[end - 1] == '0') --end;
    if (text[end - 1] == '.') --end;
  }
  if (end == 2 && text[0] == '-' && text[1] == '0') return "0";
  return std::string(text, end);
}

}  // namespace morlune::convert
