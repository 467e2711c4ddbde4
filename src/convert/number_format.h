// Decimal numbers as the interchange files hold them: fixed notation, at
// most so many decimals, trailing zeros and a trailing point dropped,
// never "-0".
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/bit_cast.h"
#include "platform/text_output.h"

namespace morlune::convert {

std::string DecimalText(double value, int decimals);

// DecimalText(value, 6) written straight into the output: the drawing's
// own writer of six-decimal numbers, which the files' numbers share.
void WriteDecimal(TextOutput& out, double value);
// Room that WriteDecimalAt needs.
inline constexpr std::size_t kNumberRoom = 32;
// DecimalText(value, 6) written at out; returns its length, or 0 for a
// value past 2^32 (which no glyph reaches): DecimalText writes that one.
std::size_t WriteDecimalAt(double value, char* out);

// A count of hundred-thousandths (a number rounded to five decimals, as
// an LFF's are) written at out as DecimalText writes the number: the point
// before the last five digits, trailing zeros dropped, never "-0". For a
// count below 10^13 either way; returns the end of the text.
inline constexpr std::size_t kHundredThousandthsRoom = 16;
char* WriteHundredThousandths(std::int64_t count, char* out);

// The slot of a table of 2^slotBits kept numbers where value goes, by its
// bits (set in bits): the table's keys are a number's exact bits.
inline std::size_t NumberSlot(double value, int slotBits, std::uint64_t& bits) {
  bits = BitCast<std::uint64_t>(value);
  return static_cast<std::size_t>(((bits ^ (bits >> 32)) * 0x9E3779B97F4A7C15u) >> (64 - slotBits));
}

// WriteDecimalAt with the text of each number kept for the next time it
// comes: a font's glyphs come back to the same few hundred coordinates
// over and over.
class DecimalTexts {
 public:
  DecimalTexts();
  std::size_t WriteAt(double value, char* out);

 private:
  struct Slot {
    std::uint64_t bits;  // the number's
    char text[24];
    std::size_t length;  // 0: an empty slot
  };
  static constexpr int kSlotBits = 12;
  std::unique_ptr<Slot[]> slots_;
};

// DecimalText(value, 6) appended to text. A value already rounded to
// five decimals comes out as DecimalText(value, 5) writes it.
void AppendDecimalText(std::string& text, double value);

}  // namespace morlune::convert
