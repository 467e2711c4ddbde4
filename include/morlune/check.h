// A font checked for faults, its findings as data: each with a stable
// identifier, a severity, where it lies and a sentence; the coverage of a
// character set among them. The lines and the JSON document of
// morlune-check are written from the same findings.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <morlune/compile.h>
#include <morlune/export.h>
#include <morlune/geometry.h>
#include <morlune/result.h>

namespace morlune {

// In rising order, so that "at or above a level" is a comparison.
enum class Severity : std::uint8_t { kInfo, kWarn, kFail };

// "INFO", "WARN", "FAIL".
MORLUNE_API std::string_view SeverityName(Severity severity);
// From such a name, in any case.
MORLUNE_API std::optional<Severity> SeverityFromName(std::string_view name);

struct CheckFinding {
  std::string id;  // the stable identifier, e.g. "missing-subshape"
  Severity severity = Severity::kFail;
  std::optional<std::uint32_t> code;  // the record concerned
  std::optional<long long> line;      // source text: line and column from 1
  std::optional<long long> column;
  std::string text;
  std::vector<std::pair<char32_t, char32_t>> missing;  // coverage: the characters lacked, as ranges
};

// Characters a font is asked to hold. Controls, surrogates, private use
// and noncharacters are never in a set.
struct CharacterSet {
  std::string label;                 // what named it, as given
  std::vector<char32_t> characters;  // ascending, each once
};

// "U+0400-04FF" or "U+20AC".
MORLUNE_API Result<CharacterSet> CharacterSetOfRange(std::string_view range);
// The characters of UTF-8 text (line ends and tabs left out).
MORLUNE_API Result<CharacterSet> CharacterSetOfText(std::string_view label, std::string_view text);
// Every character of the basic plane that the encoding writes (iconv's
// names; on Windows a code page number, alone or after CP).
MORLUNE_API Result<CharacterSet> CharacterSetOfEncoding(std::string_view name);

struct CheckOptions {
  std::optional<CharacterSet> coverage;  // the characters to look for
  // The code page of a shapes font's or a bigfont's codes, for coverage;
  // empty: a shapes font's codes are U+0001 to U+00FF, a bigfont's the
  // characters' UTF-8 bytes.
  std::string encoding;
  DrawLimits limits;  // the drawing's bounds
};

struct FindingCounts {
  long long info = 0;
  long long warn = 0;
  long long fail = 0;
  void Add(Severity severity) { ++(severity == Severity::kFail ? fail : severity == Severity::kWarn ? warn : info); }
  void Add(const FindingCounts& other) {
    info += other.info;
    warn += other.warn;
    fail += other.fail;
  }
  // True when something at or above the level was found.
  bool AnyAtOrAbove(Severity level) const {
    return fail > 0 || (level <= Severity::kWarn && warn > 0) || (level == Severity::kInfo && info > 0);
  }
};

struct FontCheck {
  std::string label;        // the font's name in the report: its path, or <stdin>
  std::string variant;      // shapes10, shapes11, bigfont, unifont; empty when no font was found
  bool fromSource = false;  // checked as shape source text
  // Not empty: the input could not be read (the caller's words), and
  // nothing was checked.
  std::string error;
  // The font as a whole first, then source text by line, then records by code.
  std::vector<CheckFinding> findings;
  FindingCounts counts;
};

// Checks the bytes of a compiled font or of source text; any bytes give a
// report (those of no font a not-a-font finding). kEncoding where the
// options' code page is unknown.
MORLUNE_API Result<FontCheck> CheckFont(std::span<const Byte> bytes, const CheckOptions& options = {},
                                        std::string_view label = "<font>");

// morlune-check's output for checks made: a line a finding, GNU style
// ("FONT: CODE: SEVERITY ID: TEXT"), and the closing summary line; or one
// JSON document of them all (docs/morlune-check.schema.json).
MORLUNE_API std::string CheckReportLines(const std::vector<FontCheck>& checks);
MORLUNE_API std::string CheckReportJson(const std::vector<FontCheck>& checks, Severity failOn);

}  // namespace morlune
