// Character sets from a range, a text or an encoding, and the codes by
// which a font's text reaches each character.
#include "check/coverage.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <morlune/compile.h>

#include "drawing/text_codes.h"
#include "fontfile/index_entries.h"
#include "platform/code_page.h"

namespace morlune::check {
namespace {

// 1 to 6 hexadecimal digits.
bool ParseHex(std::string_view text, char32_t& value) {
  if (text.empty() || text.size() > 6) return false;
  value = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    value = value * 16 + static_cast<char32_t>(digit);
  }
  return value <= 0x10FFFF;
}

// The code by which text in the font reaches the character, as a line of
// text reaches it, or none (a character that makes several codes is none).
std::optional<std::uint16_t> CodeOf(char32_t character, const TextNumbering& numbering, CodePageConverter* codePage) {
  CodePageWriter writer;
  if (codePage != nullptr) writer = [codePage](char32_t c, std::string& bytes) { return codePage->Convert(c, bytes); };
  bool unmapped = false;
  std::vector<TextCode> codes =
      TextCodes({character}, numbering, writer, [&](char32_t, const std::string&) { unmapped = true; });
  if (unmapped || codes.size() != 1) return std::nullopt;
  return codes[0].code;
}

// The ranges of assigned code points, each as first and last.
struct AssignedRange {
  char32_t first;
  char32_t last;
};
constexpr AssignedRange kAssigned[] = {
#include "check/assigned_table.inc"
};

}  // namespace

bool IsAssignedCharacter(char32_t c) {
  const AssignedRange* after = std::upper_bound(std::begin(kAssigned), std::end(kAssigned), c,
                                                [](char32_t value, const AssignedRange& range) { return value < range.first; });
  return after != std::begin(kAssigned) && c <= after[-1].last;
}

bool IsCoverableCharacter(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  if ((c >= 0xE000 && c <= 0xF8FF) || c >= 0xF0000) return false;
  if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE) return false;
  return c <= 0x10FFFF;
}

std::optional<CharacterSet> CharacterSetOfRange(const std::string& spec, std::string& error) {
  std::string_view text = spec;
  if (!text.starts_with("U+") && !text.starts_with("u+")) {
    error = "a range is written U+XXXX or U+XXXX-YYYY";
    return std::nullopt;
  }
  text.remove_prefix(2);
  std::size_t dash = text.find('-');
  char32_t first = 0, last = 0;
  bool ok = dash == std::string_view::npos ? ParseHex(text, first) && ParseHex(text, last)
                                           : ParseHex(text.substr(0, dash), first) && ParseHex(text.substr(dash + 1), last);
  if (!ok || first > last) {
    error = "'" + spec + "' is not a range of code points U+XXXX-YYYY (first at most last, at most U+10FFFF)";
    return std::nullopt;
  }
  CharacterSet set{spec, {}};
  for (char32_t c = first; c <= last; ++c) {
    if (IsCoverableCharacter(c) && IsAssignedCharacter(c)) set.characters.push_back(c);
  }
  return set;
}

std::optional<CharacterSet> CharacterSetOfText(const std::string& label, std::string_view text, std::string& error) {
  std::vector<char32_t> decoded;
  // A text file may end its lines with CR LF; zero bytes are not text.
  if (!DecodeUtf8(text, decoded)) {
    error = label + ": not UTF-8 text";
    return std::nullopt;
  }
  std::set<char32_t> distinct;
  for (char32_t c : decoded) {
    if (IsCoverableCharacter(c)) distinct.insert(c);
  }
  return CharacterSet{label, std::vector<char32_t>(distinct.begin(), distinct.end())};
}

std::optional<CharacterSet> CharacterSetOfEncoding(const std::string& name, std::string& error) {
  CodePageConverter codePage;
  if (!codePage.Open(name)) {
    error = "'" + name + "' is neither a range U+XXXX-YYYY, nor a readable file, nor a code page the system knows";
    return std::nullopt;
  }
  CharacterSet set{name, {}};
  std::string bytes;
  for (char32_t c = 0x20; c <= 0xFFFD; ++c) {
    if (!IsCoverableCharacter(c)) continue;
    bytes.clear();
    if (codePage.Convert(c, bytes)) set.characters.push_back(c);
  }
  return set;
}

std::vector<CharacterRange> Ranges(const std::vector<char32_t>& characters) {
  std::vector<CharacterRange> ranges;
  for (char32_t c : characters) {
    if (!ranges.empty() && ranges.back().second + 1 == c) {
      ranges.back().second = c;
    } else {
      ranges.push_back({c, c});
    }
  }
  return ranges;
}

bool CheckCoverage(const CharacterSet& set, const FontFacts& facts, const std::string& encoding,
                   std::vector<Finding>& findings) {
  if (!facts.readable) return true;
  CodePageConverter codePage;
  bool withCodePage = !encoding.empty();
  if (withCodePage && !codePage.Open(encoding)) return false;
  std::vector<EscapeRangeEntry> escapes;
  for (const auto& [first, last] : facts.escapeRanges) escapes.push_back({first, last});
  std::vector<bool> present(0x10000, false);
  for (std::uint16_t code : facts.drawnCodes) present[code] = true;
  TextNumbering numbering;
  numbering.kind = static_cast<Variant>(facts.variant);
  numbering.escapes = &escapes;
  std::vector<char32_t> lacked;
  for (char32_t c : set.characters) {
    std::optional<std::uint16_t> code = CodeOf(c, numbering, withCodePage ? &codePage : nullptr);
    if (!code || *code == 0 || !present[*code]) lacked.push_back(c);
  }
  if (lacked.empty()) return true;
  Finding finding;
  finding.id = FindingId::kCoverageMissing;
  finding.missing = Ranges(lacked);
  std::string list;
  for (const CharacterRange& range : finding.missing) {
    list += list.empty() ? "" : " ";
    list += CharacterName(range.first);
    if (range.second != range.first) {
      list += '-';
      list += CharacterName(range.second).substr(2);
    }
  }
  finding.text = "the font lacks " + std::to_string(lacked.size()) + " of the " +
                 std::to_string(set.characters.size()) + " characters of " + set.label + ": " + list;
  findings.push_back(std::move(finding));
  return true;
}

}  // namespace morlune::check
