#include "convert/number_format.h"

#include <cmath>
#include <cstdio>

namespace morlune::convert {

std::string DecimalText(double value, int decimals) {
  if (!std::isfinite(value)) value = 0;
  char text[512];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string out = text;
  if (out.find('.') != std::string::npos) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  if (out == "-0") out = "0";
  return out;
}

}  // namespace morlune::convert
