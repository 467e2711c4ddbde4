// A compiled font taken apart into its records, so that a mutation can
// change what they hold and lay the font out again with a frame that reads:
// the signature, the index, the offsets and the length words agree with the
// records (but for a length skewed on purpose).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <morlune/compile.h>

#include "fontfile/index_entries.h"

namespace morlune::fuzzing {

struct ModelRecord {
  std::uint16_t code = 0;
  std::string name;  // without its zero byte
  std::string spec;  // the specification bytes
  // Added to the length word: a record that declares fewer bytes than it
  // holds, or more, reading into the next record or past the file's end.
  int lengthSkew = 0;
};

struct FontModel {
  Variant kind = Variant::kShapes11;
  std::vector<EscapeRangeEntry> escapeRanges;  // bigfont
  std::vector<ModelRecord> records;       // in the order they are laid out
};

// A specification holds at most this many bytes (its counter is a signed
// 16-bit number).
inline constexpr std::size_t kMostSpecBytes = 32767;

// The records that the decompiler's walk reaches, each with the bytes the
// file holds for it; nothing when the head of the file is not a font's.
std::optional<FontModel> ReadFontModel(const std::uint8_t* data, std::size_t size);

// The variant whose signature the data opens with, the byte 0x1A right
// after it, and where the head behind them begins; none for any other
// opening. Stricter than the library's recognition, which reads up to the
// first 0x1A: a model keeps nothing between the two.
struct ExactHead {
  Variant variant;
  std::size_t headStart;
};
std::optional<ExactHead> ExactSignature(const std::uint8_t* data, std::size_t size);

// The font's bytes: the head, the index in the variant's layout, the
// records back to back (a bigfont's in the order of its index).
std::string WriteFontModel(const FontModel& font);

}  // namespace morlune::fuzzing
