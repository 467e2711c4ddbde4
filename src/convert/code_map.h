// Which character each code of a compiled font stands for, both ways: a
// unifont's codes are code points; a shapes font's bytes and a bigfont's
// two-byte codes are read through a code page (the system's converter,
// never a table of our own): a code is the character the code page decodes
// it to, a character the code the code page writes it as.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <morlune/compile.h>

namespace morlune::convert {

class CodeMap {
 public:
  // For a font of the variant. encoding empty: a unifont needs none, a
  // shapes font takes its bytes as Latin-1 with its own symbols (code 127
  // degree, 128 plus-minus, 129 diameter), and a bigfont is refused. On
  // failure, problem says why.
  static std::optional<CodeMap> For(Variant variant, const std::string& encoding, std::string& problem);

  std::optional<char32_t> CharacterOf(std::uint32_t code) const;
  std::optional<std::uint32_t> CodeOf(char32_t character) const;

 private:
  enum class Kind { kCodePoints, kLatin1Symbols, kCodePage };
  Kind kind_ = Kind::kCodePoints;
  std::vector<char32_t> characters_;                   // by code, for a code page; 0: none
  std::unordered_map<char32_t, std::uint32_t> codes_;  // the reverse
};

// The characters a shapes font's own symbols stand for without a code page.
inline constexpr char32_t kDegreeSign = 0x00B0;
inline constexpr char32_t kPlusMinusSign = 0x00B1;
inline constexpr char32_t kDiameterSign = 0x2300;

}  // namespace morlune::convert
