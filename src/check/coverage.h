// Coverage: which characters of a set a font lacks. The set is an
// encoding's printable characters, a range of code points, or the
// characters of a text file; a font's codes are reached as text reaches
// them (a shapes font through an encoding, a bigfont through its code page
// and escape ranges, a unifont by code point).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <morlune/check.h>

#include "check/finding.h"
#include "check/structure_checks.h"

namespace morlune::check {

// The library's own form of a set.
using CharacterSet = morlune::CharacterSet;

// Whether a code point is a character a font may be asked to draw: no
// control, surrogate, private use or noncharacter.
bool IsCoverableCharacter(char32_t character);

// Whether the code point is assigned to a character in Unicode 15.0 (the
// table scripts/make-assigned-table makes from the character database).
bool IsAssignedCharacter(char32_t character);

// "U+0400-04FF" or "U+20AC": the coverable code points of the range that
// are assigned; a font cannot lack a character nobody has defined.
// Nothing, with why in error, when spec is not such a range.
std::optional<CharacterSet> CharacterSetOfRange(const std::string& spec, std::string& error);
// The coverable characters of UTF-8 text (line ends and tabs left out).
std::optional<CharacterSet> CharacterSetOfText(const std::string& label, std::string_view text, std::string& error);
// Every coverable character of the basic plane that the encoding writes.
std::optional<CharacterSet> CharacterSetOfEncoding(const std::string& name, std::string& error);

// Ranges of consecutive characters, each as first and last.
std::vector<CharacterRange> Ranges(const std::vector<char32_t>& characters);

// Appends a finding when the font lacks characters of the set. encoding is
// the code page of the font's codes (empty: a shapes font takes U+0001 to
// U+00FF as codes, a bigfont the characters' UTF-8 bytes). False when the
// encoding is unknown.
bool CheckCoverage(const CharacterSet& set, const FontFacts& facts, const std::string& encoding,
                   std::vector<Finding>& findings);

}  // namespace morlune::check
