// Decimal texts of the interchange files: the drawing's fixed-point
// writer for six decimals, a printed fallback past its range.
#include "convert/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "drawing/digit_text.h"
#include "drawing/number_text.h"

namespace morlune::convert {
namespace {

// Past the drawing's writer's range (which no glyph reaches) the C
// library's rounding, which is the same rule.
std::string PrintedDecimal(double value, int decimals) {
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

bool SixDecimalsFit(double value) { return !std::isfinite(value) || std::fabs(value) <= kLargestWritten; }

}  // namespace

std::string DecimalText(double value, int decimals) {
  if (decimals == kListingDecimals && SixDecimalsFit(value)) {
    char digits[kDecimalRoom];
    return std::string(digits, FormatDecimal(value, digits));
  }
  return PrintedDecimal(value, decimals);
}

void WriteDecimal(TextOutput& out, double value) {
  if (!SixDecimalsFit(value)) {
    out.Write(PrintedDecimal(value, kListingDecimals));
    return;
  }
  char* at = out.Reserve(kDecimalRoom);
  out.Commit(at + FormatDecimal(value, at));
}

std::size_t WriteDecimalAt(double value, char* out) {
  return SixDecimalsFit(value) ? FormatDecimal(value, out) : 0;
}

char* WriteHundredThousandths(std::int64_t count, char* out) {
  if (count < 0) *out++ = '-';
  std::uint64_t magnitude = count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
  // Room: a sign, the whole part's digits (and the bytes past them that a
  // small one overwrites), a point and five digits.
  static_assert(kHundredThousandthsRoom >= 1 + 8 + 1 + 5);
  out += WriteWhole(magnitude / 100000, out);
  auto fraction = static_cast<std::uint32_t>(magnitude % 100000);
  if (fraction == 0) return out;
  out[0] = '.';
  out[1] = static_cast<char>('0' + fraction / 10000);
  std::memcpy(out + 2, kDigitPairs + 2 * (fraction / 100 % 100), 2);
  std::memcpy(out + 4, kDigitPairs + 2 * (fraction % 100), 2);
  out += 6;
  while (out[-1] == '0') --out;
  return out;
}

DecimalTexts::DecimalTexts() : slots_(std::make_unique<Slot[]>(std::size_t{1} << kSlotBits)) {}

std::size_t DecimalTexts::WriteAt(double value, char* out) {
  static_assert(sizeof(Slot::text) >= kDecimalRoom && sizeof(Slot::text) <= kNumberRoom);
  std::uint64_t bits = 0;
  Slot& slot = slots_[NumberSlot(value, kSlotBits, bits)];
  if (slot.length == 0 || slot.bits != bits) {
    std::size_t length = WriteDecimalAt(value, slot.text);
    if (length == 0) return 0;
    slot.bits = bits;
    slot.length = length;
  }
  std::memcpy(out, slot.text, sizeof slot.text);
  return slot.length;
}

void AppendDecimalText(std::string& text, double value) {
  if (!SixDecimalsFit(value)) {
    text += PrintedDecimal(value, kListingDecimals);
    return;
  }
  morlune::AppendDecimal(text, value);
}

}  // namespace morlune::convert
