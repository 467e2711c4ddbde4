// Decimal numbers as the interchange files hold them: fixed notation, at
// most so many decimals, trailing zeros and a trailing point dropped,
// never "-0".
#pragma once

#include <string>

#include "platform/text_output.h"

namespace morlune::convert {

std::string DecimalText(double value, int decimals);

// DecimalText(value, 6) written straight into the output: the drawing's
// own writer of six-decimal numbers, which the files' numbers share.
void WriteDecimal(TextOutput& out, double value);
// DecimalText(value, 6) appended to text. A value already rounded to
// five decimals comes out as DecimalText(value, 5) writes it.
void AppendDecimalText(std::string& text, double value);

}  // namespace morlune::convert
