// One reading of a source text by a given variant's rules: the state of
// the pass over its bytes, shared by the reading of numbers (source_pass.cc)
// and of header lines (header_lines.cc). Only the source reader uses it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "grammar/item_grammar.h"
#include "source/diagnostics.h"
#include "source/operand_text.h"
#include "source/source_font.h"
#include "source/source_number.h"

namespace morlune::source_pass {

inline constexpr std::string_view kUnifontWord = "UNIFONT";
inline constexpr std::string_view kBigfontWord = "BIGFONT ";
inline constexpr std::size_t kMostNameBytes = 1023;
inline constexpr long long kLargestCode = 0xFFFF;
// A bigfont holds at most this many records, so its "*BIGFONT" line counts
// no more.
inline constexpr long long kMostBigfontRecordCount = 0x7FFF;

// The variants by what their text looks like: which font-header values and
// which code 7 they have.
enum class Family { kShapes, kBigfont, kUnifont };

inline Family FamilyOf(Variant kind) {
  if (kind == Variant::kBigfont) return Family::kBigfont;
  if (kind == Variant::kUnifont) return Family::kUnifont;
  return Family::kShapes;
}

inline const char* SkipBlanks(const char* p, const char* end) {
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  return p;
}

inline bool StartsNumber(char c) { return c == '-' || IsNumberByte(c); }

inline std::string Quoted(const char* from, const char* to) {
  std::string quoted(1, '\'');
  quoted.append(from, static_cast<std::size_t>(to - from));
  quoted.push_back('\'');
  return quoted;
}

inline std::string NumberFaultText(NumberFault fault, const char* from, const char* to) {
  if (fault == NumberFault::kNoDigits) return "'-' with no digits after it";
  bool hex = to - from > 1 && (from[0] == '0' || (from[0] == '-' && to - from > 2 && from[1] == '0'));
  return Quoted(from, to) + (hex ? " is not a hexadecimal number" : " is not a decimal number");
}

// A number refused by its place still takes the place, with a value that
// neither opens a long form nor closes a list, so that the numbers after it
// keep their places.
inline int StandInValue(OperandKind kind) { return kind == OperandKind::kItemCode ? kFirstVectorByte : 1; }

class SourcePass {
 public:
  SourcePass(std::string_view text, Variant kind, bool takeCounted, SourceFont& font, Diagnostics& diagnostics)
      : text_(text), family_(FamilyOf(kind)), cursor_(kind), takeCounted_(takeCounted), font_(font),
        diagnostics_(diagnostics) {}

  // Reads the whole text: the records into the font, the problems into
  // the diagnostics.
  void ReadAll();

  // Where the text shows its own variant (the first of each).
  std::optional<SourcePlace> unifontHeader;
  std::optional<SourcePlace> bigfontLine;

 private:
  enum class Zone {
    kOutside,   // before the first header, or after a "*BIGFONT" line
    kRecord,    // a record's numbers
    kSkipping,  // after a header that could not be read
  };

  SourcePlace PlaceOf(const char* p) const { return SourcePlace{line_, static_cast<long long>(p - lineStart_) + 1}; }

  const char* LineEnd(const char* p) const;
  const char* ContentEnd(const char* lineEnd) const;
  const char* HeaderGoesOn(const char* p);
  void Header(const char* star, const char* end);
  void HeaderLacksCountAndName();
  void HeaderRest(std::uint16_t code, SourcePlace star, std::string_view codeText, const char* comma,
                  const char* end);
  void BigfontLine(const char* star, const char* end);
  void BeginRecord(std::uint16_t code, SourcePlace star, std::string_view codeText, std::string_view name);
  void StrayStar(const char* star);
  void EndRecord();
  void EndChecks();

  void Number(const char* p, const char* stop, NumberFault fault, SourceNumber number);
  [[gnu::always_inline]] void ItemNumber(SourcePlace place, const char* p, const char* stop, bool bad, SourceNumber number);
  void HeaderValue(SourcePlace place, const char* p, const char* stop, bool bad, SourceNumber number);
  void Comma(const char* p);
  void Paren(const char* p);
  // True when a number, comma or parenthesis may stand here; reports the
  // first of a stretch outside any record.
  bool InRecord(const char* p);

  void InnerError(SourcePlace place, std::string text) {
    whole_ = false;
    diagnostics_.Error(place, std::move(text));
  }
  void Keep(int stored, int bytes) {
    if (bytes == 2) Keep(stored >> 8, 1);
    if (recordBytes_ < kMostRecordBytesKept) {
      if (out_ == outLimit_) Grow();
      *out_++ = static_cast<char>(stored);
    }
    ++recordBytes_;
  }
  void Grow();
  std::size_t DataSize() const { return static_cast<std::size_t>(out_ - data_.get()); }
  const char* RecordBody(const char* p, const char* end);

  std::string_view text_;
  Family family_;
  ItemCursor cursor_;
  bool takeCounted_;
  SourceFont& font_;
  Diagnostics& diagnostics_;

  long long line_ = 1;
  const char* lineStart_ = nullptr;

  Zone zone_ = Zone::kOutside;
  bool outsideReported_ = false;
  // A "*CODE" header whose line ended after the code goes on at the next.
  bool headerGoesOn_ = false;
  std::uint16_t pendingCode_ = 0;
  std::string_view pendingCodeText_;
  SourcePlace pendingStar_;
  // A "*BIGFONT" line waits for its font-header record.
  bool bigfontWaits_ = false;
  SourcePlace bigfontWaiting_;
  // A "*BIGFONT" line was read whole: its ranges are the font's.
  bool sawBigfontLine_ = false;

  // The open record.
  SourceRecord record_;
  bool fontHeader_ = false;
  bool whole_ = true;
  long long count_ = 0;
  std::string_view countText_;  // as written
  SourcePlace countPlace_;
  // The count is within a record's reach, so the bytes are held to it.
  bool countKnown_ = true;
  std::size_t recordBytes_ = 0;

  // The data bytes of every record, back to back; no zero fill, as the
  // usual text makes several megabytes of them.
  std::unique_ptr<char[]> data_;
  char* out_ = nullptr;
  char* outLimit_ = nullptr;
  // A header may begin first on a line or right after a comma.
  bool headerMayStart_ = true;
  bool numberSinceComma_ = false;
  long long parenDepth_ = 0;
  SourcePlace openParen_;
  SourcePlace openItem_;
  int values_ = 0;
  int lastValue_ = 0;
  SourcePlace lastValuePlace_;
};

}  // namespace morlune::source_pass
