// The reader of shape source text: a pass over the lines that splits them
// into headers and numbers, walks each record's numbers through the item
// grammar and keeps the bytes they make.
#include "source/source_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "grammar/item_grammar.h"
#include "source/operand_text.h"
#include "source/source_number.h"

namespace morlune {
namespace {

constexpr std::string_view kUnifontWord = "UNIFONT";
constexpr std::string_view kBigfontWord = "BIGFONT ";
constexpr std::size_t kMostNameBytes = 1023;
constexpr long long kLargestCode = 0xFFFF;

// The variants by what their text looks like: which font-header values and
// which code 7 they have.
enum class Family { kShapes, kBigfont, kUnifont };

Family FamilyOf(ShapeFileKind kind) {
  if (kind == ShapeFileKind::kBigfont10) return Family::kBigfont;
  if (kind == ShapeFileKind::kUnifont10) return Family::kUnifont;
  return Family::kShapes;
}

const char* VariantName(ShapeFileKind kind) {
  switch (kind) {
    case ShapeFileKind::kShapes10:
      return "shapes10";
    case ShapeFileKind::kBigfont10:
      return "bigfont";
    case ShapeFileKind::kUnifont10:
      return "unifont";
    default:
      return "shapes11";
  }
}

const char* SkipBlanks(const char* p, const char* end) {
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  return p;
}

bool StartsNumber(char c) { return c == '-' || IsNumberByte(c); }

std::string Quoted(const char* from, const char* to) {
  std::string quoted(1, '\'');
  quoted.append(from, static_cast<std::size_t>(to - from));
  quoted.push_back('\'');
  return quoted;
}

std::string NumberFaultText(NumberFault fault, const char* from, const char* to) {
  if (fault == NumberFault::kNoDigits) return "'-' with no digits after it";
  bool hex = to - from > 1 && (from[0] == '0' || (from[0] == '-' && to - from > 2 && from[1] == '0'));
  return Quoted(from, to) + (hex ? " is not a hexadecimal number" : " is not a decimal number");
}

// A number refused by its place still takes the place, with a value that
// neither opens a long form nor closes a list, so that the numbers after it
// keep their places.
int StandInValue(OperandKind kind) { return kind == OperandKind::kItemCode ? kFirstVectorByte : 1; }

class Reader {
 public:
  Reader(std::string_view text, ShapeFileKind kind, bool takeCounted, SourceFont& font, Diagnostics& diagnostics)
      : text_(text), family_(FamilyOf(kind)), cursor_(kind), takeCounted_(takeCounted), font_(font),
        diagnostics_(diagnostics) {}

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
  void HeaderRest(std::uint16_t code, SourcePlace star, const char* comma, const char* end);
  void BigfontLine(const char* star, const char* end);
  void BeginRecord(std::uint16_t code, SourcePlace star, long long count, SourcePlace countPlace,
                   std::string_view name);
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
  SourcePlace pendingStar_;
  // A "*BIGFONT" line waits for its font-header record.
  bool bigfontWaits_ = false;
  SourcePlace bigfontWaiting_;

  // The open record.
  SourceRecord record_;
  bool fontHeader_ = false;
  bool whole_ = true;
  long long count_ = 0;
  SourcePlace countPlace_;
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

// The end of the line that p is on: its line feed, or the end of the text.
const char* Reader::LineEnd(const char* p) const {
  const char* end = text_.data() + text_.size();
  const void* feed = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
  return feed != nullptr ? static_cast<const char*>(feed) : end;
}

// The line's text without its line end: a carriage return right before the
// line feed belongs to the line end, any other is an ordinary byte.
const char* Reader::ContentEnd(const char* lineEnd) const {
  const char* end = text_.data() + text_.size();
  return lineEnd < end && lineEnd > lineStart_ && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
}

// One pass over the bytes; a line feed is one case among the others, so
// that the usual line costs no search for its end.
void Reader::ReadAll() {
  const char* p = text_.data();
  const char* end = p + text_.size();
  lineStart_ = p;
  while (p < end) {
    if (zone_ == Zone::kRecord && !fontHeader_) {
      p = RecordBody(p, end);
      if (p == end) break;
    }
    char c = *p;
    switch (c) {
      case '\n':
        ++p;
        ++line_;
        lineStart_ = p;
        headerMayStart_ = true;
        if (headerGoesOn_) p = HeaderGoesOn(p);
        continue;
      case ' ':
      case '\t':
        ++p;
        continue;
      case ';':
        p = LineEnd(p);
        continue;
      case ',':
        // The usual comma, after a number inside a record, in line.
        if (zone_ == Zone::kRecord && numberSinceComma_) {
          numberSinceComma_ = false;
        } else {
          Comma(p);
        }
        ++p;
        headerMayStart_ = true;
        continue;
      case '(':
        if (zone_ == Zone::kRecord) {
          if (parenDepth_++ == 0) openParen_ = PlaceOf(p);
        } else {
          Paren(p);
        }
        ++p;
        headerMayStart_ = false;
        continue;
      case ')':
        if (zone_ == Zone::kRecord && parenDepth_ > 0) {
          --parenDepth_;
        } else {
          Paren(p);
        }
        ++p;
        headerMayStart_ = false;
        continue;
      case '*': {
        if (!headerMayStart_) diagnostics_.Error(PlaceOf(p), "a header must begin a line or follow a comma");
        const char* lineEnd = LineEnd(p);
        Header(p, ContentEnd(lineEnd));
        p = lineEnd;
        continue;
      }
      case '\r':
        if (p + 1 < end && p[1] == '\n') {
          ++p;
          continue;
        }
        break;
      default:
        break;
    }
    headerMayStart_ = false;
    if (StartsNumber(c)) {
      SourceNumber number;
      const char* stop;
      NumberFault fault = ScanSourceNumber(p, end, number, &stop);
      // The usual number, an item's in a record and after a comma, in line.
      if (fault == NumberFault::kNone && zone_ == Zone::kRecord && !fontHeader_ && !numberSinceComma_) {
        numberSinceComma_ = true;
        ItemNumber(PlaceOf(p), p, stop, false, number);
      } else {
        Number(p, stop, fault, number);
      }
      p = stop;
      continue;
    }
    unsigned byte = static_cast<unsigned char>(c);
    std::string shown = byte >= 0x21 && byte <= 0x7E ? Quoted(p, p + 1) : "byte " + std::to_string(byte);
    if (zone_ == Zone::kRecord) {
      InnerError(PlaceOf(p), "unexpected " + shown);
    } else {
      diagnostics_.Error(PlaceOf(p), "unexpected " + shown);
    }
    ++p;
  }
  EndRecord();
  font_.dataSize = DataSize();
  font_.data = std::move(data_);
  if (headerGoesOn_) diagnostics_.Error(pendingStar_, "the header has no count and name (',COUNT,NAME')");
  if (bigfontWaits_) {
    diagnostics_.Error(bigfontWaiting_, "a *BIGFONT line must be followed by the font-header record (*0,COUNT,NAME)");
  }
}

void Reader::Grow() {
  std::size_t used = DataSize();
  std::size_t room = std::max<std::size_t>({used * 2, text_.size() / 4, 4096});
  std::unique_ptr<char[]> larger(new char[room]);
  if (used > 0) std::memcpy(larger.get(), data_.get(), used);
  data_ = std::move(larger);
  out_ = data_.get() + used;
  outLimit_ = data_.get() + room;
}

// The usual run of a record's items, its state held in locals so that it
// stays in registers while bytes are stored: numbers that their places
// accept, the commas between them, parentheses, blanks and line ends. It
// hands everything back and stops at anything else (a header, a comment, a
// problem, a full buffer), which the general reading then takes.
const char* Reader::RecordBody(const char* p, const char* end) {
  ItemCursor cursor = cursor_;
  bool afterNumber = numberSinceComma_;
  bool mayStart = headerMayStart_;
  long long depth = parenDepth_;
  long long line = line_;
  const char* lineStart = lineStart_;
  char* out = out_;
  char* const outLimit = outLimit_;
  std::size_t recordBytes = recordBytes_;
  // Tests in the order of how often the bytes come, rather than a jump
  // table, whose one indirect branch the usual mix of bytes keeps missing.
  while (p < end) {
    char c = *p;
    if (c == ',') {
      if (!afterNumber) break;
      afterNumber = false;
      mayStart = true;
      ++p;
      continue;
    }
    if (c == '(') {
      if (depth++ == 0) openParen_ = SourcePlace{line, static_cast<long long>(p - lineStart) + 1};
      mayStart = false;
      ++p;
      continue;
    }
    if (c == ')') {
      if (depth == 0) break;
      --depth;
      mayStart = false;
      ++p;
      continue;
    }
    if (c == '\n') {
      ++p;
      ++line;
      lineStart = p;
      mayStart = true;
      continue;
    }
    if (c == ' ' || c == '\t' || (c == '\r' && p + 1 < end && p[1] == '\n')) {
      ++p;
      continue;
    }
    if (afterNumber || !StartsNumber(c)) break;
    {
      SourceNumber number;
      const char* stop;
      if (ScanSourceNumber(p, end, number, &stop) != NumberFault::kNone) break;
      OperandKind kind = cursor.NextKind();
      int stored;
      if (!StoredOperandValue(kind, number, stored)) break;
      if (outLimit - out < 2 || recordBytes + 2 > kMostRecordBytesKept) break;
      if (cursor.BetweenItems()) openItem_ = SourcePlace{line, static_cast<long long>(p - lineStart) + 1};
      if (OperandBytes(kind) == 2) {
        *out++ = static_cast<char>(stored >> 8);
        ++recordBytes;
      }
      *out++ = static_cast<char>(stored);
      ++recordBytes;
      cursor.Take(stored);
      afterNumber = true;
      mayStart = false;
      p = stop;
    }
  }
  cursor_ = cursor;
  numberSinceComma_ = afterNumber;
  headerMayStart_ = mayStart;
  parenDepth_ = depth;
  line_ = line;
  lineStart_ = lineStart;
  out_ = out;
  recordBytes_ = recordBytes;
  return p;
}

// At the start of the line after a header that ended with its code: the
// count and name, if the line gives them. Returns where reading goes on.
const char* Reader::HeaderGoesOn(const char* p) {
  headerGoesOn_ = false;
  const char* end = text_.data() + text_.size();
  const char* comma = SkipBlanks(p, end);
  if (comma < end && *comma == ',') {
    const char* lineEnd = LineEnd(comma);
    HeaderRest(pendingCode_, pendingStar_, comma, ContentEnd(lineEnd));
    return lineEnd;
  }
  diagnostics_.Error(pendingStar_, "the header has no count and name (',COUNT,NAME')");
  bigfontWaits_ = false;
  return p;
}

void Reader::Header(const char* star, const char* end) {
  EndRecord();
  outsideReported_ = false;
  zone_ = Zone::kSkipping;
  SourcePlace starPlace = PlaceOf(star);
  std::string_view rest(star + 1, static_cast<std::size_t>(end - star - 1));
  if (rest.substr(0, kBigfontWord.size()) == kBigfontWord) {
    BigfontLine(star, end);
    return;
  }
  if (rest.substr(0, kUnifontWord.size()) == kUnifontWord && rest.size() > kUnifontWord.size() &&
      rest[kUnifontWord.size()] == ',') {
    if (!unifontHeader) unifontHeader = starPlace;
    HeaderRest(0, starPlace, star + 1 + kUnifontWord.size(), end);
    return;
  }
  const char* p = SkipBlanks(star + 1, end);
  if (p == end || !(*p == '-' || (*p >= '0' && *p <= '9'))) {
    diagnostics_.Error(starPlace, "unknown header: expected *CODE,COUNT,NAME, *UNIFONT,COUNT,NAME or *BIGFONT N,R,...");
    bigfontWaits_ = false;
    return;
  }
  SourceNumber code;
  const char* stop;
  NumberFault fault = ScanSourceNumber(p, end, code, &stop);
  if (fault != NumberFault::kNone) {
    diagnostics_.Error(PlaceOf(p), NumberFaultText(fault, p, stop));
  } else if (code.value < 0 || code.value > kLargestCode) {
    diagnostics_.Error(PlaceOf(p), "code " + Quoted(p, stop) + " is out of range (0 to 65535)");
    fault = NumberFault::kBadDigit;
  }
  if (fault != NumberFault::kNone) {
    bigfontWaits_ = false;
    return;
  }
  const char* after = SkipBlanks(stop, end);
  if (after == end) {
    // The wrap at column 65 may put the count and name on the next line.
    headerGoesOn_ = true;
    pendingCode_ = static_cast<std::uint16_t>(code.value);
    pendingStar_ = starPlace;
    return;
  }
  HeaderRest(static_cast<std::uint16_t>(code.value), starPlace, after, end);
}

// The ",COUNT,NAME" of a header, from its first comma to the end of its line.
void Reader::HeaderRest(std::uint16_t code, SourcePlace star, const char* comma, const char* end) {
  if (*comma != ',') {
    diagnostics_.Error(PlaceOf(comma), "expected ',' and the count after the header's code");
    bigfontWaits_ = false;
    return;
  }
  const char* p = SkipBlanks(comma + 1, end);
  SourcePlace countPlace = PlaceOf(p);
  if (p == end || !StartsNumber(*p)) {
    diagnostics_.Error(countPlace, "the header has no count");
    bigfontWaits_ = false;
    return;
  }
  SourceNumber count;
  const char* stop;
  NumberFault fault = ScanSourceNumber(p, end, count, &stop);
  if (fault != NumberFault::kNone) {
    diagnostics_.Error(countPlace, NumberFaultText(fault, p, stop));
    bigfontWaits_ = false;
    return;
  }
  const char* nameComma = SkipBlanks(stop, end);
  if (nameComma == end || *nameComma != ',') {
    diagnostics_.Error(PlaceOf(nameComma), "expected ',' and the name after the header's count");
    bigfontWaits_ = false;
    return;
  }
  const char* name = nameComma + 1;
  BeginRecord(code, star, count.value, countPlace, std::string_view(name, static_cast<std::size_t>(end - name)));
  if (static_cast<std::size_t>(end - name) > kMostNameBytes) {
    InnerError(PlaceOf(name), "the name has " + std::to_string(end - name) + " bytes; a name holds at most 1023");
  }
  if (const void* zero = std::memchr(name, '\0', static_cast<std::size_t>(end - name))) {
    InnerError(PlaceOf(static_cast<const char*>(zero)), "a name cannot hold a zero byte");
  }
  // Written out again, the name would end in the carriage return of a line
  // end and lose it.
  if (end > name && end[-1] == '\r') InnerError(PlaceOf(end - 1), "a name cannot end with a carriage return");
}

void Reader::BigfontLine(const char* star, const char* end) {
  SourcePlace starPlace = PlaceOf(star);
  if (!bigfontLine) bigfontLine = starPlace;
  bigfontWaits_ = false;
  // N, R, then R pairs of codes.
  long long declared = 0;
  SourcePlace declaredPlace, pairsPlace;
  long long pairs = -1;
  std::vector<EscapeRange> ranges;
  long long taken = 0;
  const char* p = star + 1 + kBigfontWord.size();
  for (;;) {
    p = SkipBlanks(p, end);
    SourcePlace place = PlaceOf(p);
    if (p == end || !StartsNumber(*p)) {
      diagnostics_.Error(place, "expected a number: a *BIGFONT line is *BIGFONT N,R then R pairs of codes");
      return;
    }
    SourceNumber number;
    const char* stop;
    NumberFault fault = ScanSourceNumber(p, end, number, &stop);
    if (fault != NumberFault::kNone) {
      diagnostics_.Error(place, NumberFaultText(fault, p, stop));
      return;
    }
    if (taken == 0) {
      declared = number.value;
      declaredPlace = place;
    } else if (taken == 1) {
      if (number.value < 0 || number.value > kLargestCode) {
        diagnostics_.Error(place, "the number of escape ranges " + Quoted(p, stop) + " is out of range (0 to 65535)");
        return;
      }
      pairs = number.value;
      pairsPlace = place;
    } else {
      if (taken - 2 >= 2 * pairs) {
        diagnostics_.Error(place, "more codes than " + std::to_string(pairs) + " escape ranges take");
        return;
      }
      if (number.value < 0 || number.value > kLargestCode) {
        diagnostics_.Error(place, "escape code " + Quoted(p, stop) + " is out of range (0 to 65535)");
        return;
      }
      auto value = static_cast<std::uint16_t>(number.value);
      if (taken % 2 == 0) {
        ranges.push_back(EscapeRange{value, value});
      } else {
        ranges.back().last = value;
      }
    }
    ++taken;
    p = SkipBlanks(stop, end);
    if (p == end) break;
    if (*p != ',') {
      diagnostics_.Error(PlaceOf(p), "expected ',' between the numbers of a *BIGFONT line");
      return;
    }
    ++p;
  }
  if (taken < 2) {
    diagnostics_.Error(starPlace, "a *BIGFONT line is *BIGFONT N,R then R pairs of codes");
    return;
  }
  if (taken - 2 != 2 * pairs) {
    diagnostics_.Error(pairsPlace, std::to_string(pairs) + " escape ranges take " + std::to_string(2 * pairs) +
                                       " codes; the line gives " + std::to_string(taken - 2));
    return;
  }
  if (font_.bigfontCounts.empty()) {
    font_.escapeRanges = std::move(ranges);
  } else if (ranges.size() != font_.escapeRanges.size() ||
             !std::equal(ranges.begin(), ranges.end(), font_.escapeRanges.begin(),
                         [](const EscapeRange& a, const EscapeRange& b) { return a.first == b.first && a.last == b.last; })) {
    diagnostics_.Error(starPlace, "this *BIGFONT line gives other escape ranges than the first");
  }
  font_.bigfontCounts.push_back(DeclaredRecordCount{declared, declaredPlace});
  bigfontWaits_ = true;
  bigfontWaiting_ = starPlace;
  zone_ = Zone::kOutside;
}

void Reader::BeginRecord(std::uint16_t code, SourcePlace star, long long count, SourcePlace countPlace,
                         std::string_view name) {
  if (bigfontWaits_) {
    bigfontWaits_ = false;
    if (code != 0) {
      diagnostics_.Error(bigfontWaiting_, "a *BIGFONT line must be followed by the font-header record (*0,COUNT,NAME)");
    }
  }
  zone_ = Zone::kRecord;
  record_ = SourceRecord{};
  record_.code = code;
  record_.name = name;
  record_.header = star;
  record_.dataOffset = DataSize();
  fontHeader_ = code == 0;
  whole_ = true;
  count_ = count;
  countPlace_ = countPlace;
  recordBytes_ = 0;
  numberSinceComma_ = false;
  parenDepth_ = 0;
  values_ = 0;
  lastValue_ = 0;
  cursor_ = ItemCursor(family_ == Family::kUnifont ? ShapeFileKind::kUnifont10 : ShapeFileKind::kShapes11);
}

void Reader::EndRecord() {
  if (zone_ != Zone::kRecord) return;
  zone_ = Zone::kOutside;
  // After a problem inside the record these would only echo it.
  if (whole_) EndChecks();
  record_.whole = whole_;
  record_.dataSize = recordBytes_;
  font_.records.push_back(record_);
}

void Reader::EndChecks() {
  std::size_t errorsBefore = diagnostics_.ErrorCount();
  bool bytesKnown = true;
  if (parenDepth_ > 0) diagnostics_.Error(openParen_, "'(' is not closed within its record");
  if (fontHeader_) {
    int fewest = family_ == Family::kUnifont ? 6 : 4;
    if (values_ < fewest) {
      const char* holds = family_ == Family::kUnifont   ? "a unifont's holds 6"
                          : family_ == Family::kBigfont ? "a bigfont's holds 4 or 5"
                                                        : "a shapes font's holds 4";
      diagnostics_.Error(record_.header,
                         "the font-header record holds " + std::to_string(values_) + " values; " + holds);
      bytesKnown = false;
    } else if (lastValue_ != 0) {
      diagnostics_.Error(lastValuePlace_, "the last font-header value must be 0");
    }
  } else if (!cursor_.BetweenItems()) {
    std::string code = std::to_string(cursor_.Code());
    diagnostics_.Error(openItem_, cursor_.InList() ? "the list of code " + code + " is not closed by (0,0) within its record"
                                                   : "code " + code + " is cut short by the end of its record");
    bytesKnown = false;
  }
  if (bytesKnown && count_ != static_cast<long long>(recordBytes_)) {
    std::string text = "the count is " + std::to_string(count_) + " but the numbers make " +
                       std::to_string(recordBytes_) + (recordBytes_ == 1 ? " byte" : " bytes");
    if (takeCounted_) {
      diagnostics_.Warning(countPlace_, text + "; the record takes " + std::to_string(recordBytes_));
    } else {
      diagnostics_.Error(countPlace_, text);
    }
  }
  if (diagnostics_.ErrorCount() != errorsBefore) whole_ = false;
}

bool Reader::InRecord(const char* p) {
  if (zone_ == Zone::kRecord) return true;
  if (zone_ == Zone::kOutside && !outsideReported_) {
    outsideReported_ = true;
    diagnostics_.Error(PlaceOf(p), "numbers must follow a record's header (*CODE,COUNT,NAME)");
  }
  return false;
}

void Reader::Number(const char* p, const char* stop, NumberFault fault, SourceNumber number) {
  bool bad = fault != NumberFault::kNone;
  SourcePlace place = PlaceOf(p);
  if (bad) {
    if (zone_ == Zone::kRecord) {
      InnerError(place, NumberFaultText(fault, p, stop));
    } else {
      diagnostics_.Error(place, NumberFaultText(fault, p, stop));
    }
  }
  if (!InRecord(p)) return;
  if (numberSinceComma_) InnerError(place, "two numbers with no comma between them");
  numberSinceComma_ = true;
  if (fontHeader_) {
    HeaderValue(place, p, stop, bad, number);
  } else {
    ItemNumber(place, p, stop, bad, number);
  }
}

inline void Reader::ItemNumber(SourcePlace place, const char* p, const char* stop, bool bad, SourceNumber number) {
  OperandKind kind = cursor_.NextKind();
  if (cursor_.BetweenItems()) openItem_ = place;
  int stored = 0;
  if (bad) {
    stored = StandInValue(kind);
  } else if (!StoredOperandValue(kind, number, stored)) {
    InnerError(place, Quoted(p, stop) + " is out of range for " + OperandRangeText(kind));
    stored = StandInValue(kind);
  }
  Keep(stored, OperandBytes(kind));
  cursor_.Take(stored);
}

void Reader::HeaderValue(SourcePlace place, const char* p, const char* stop, bool bad, SourceNumber number) {
  int most = family_ == Family::kUnifont ? 6 : family_ == Family::kBigfont ? 5 : 4;
  if (values_ == most) {
    InnerError(place, "a font-header record holds at most " + std::to_string(most) + " values here");
  }
  int stored = 0;
  if (!bad && !StoredOperandValue(OperandKind::kHeaderValue, number, stored)) {
    InnerError(place, Quoted(p, stop) + " is out of range for " + OperandRangeText(OperandKind::kHeaderValue));
  }
  ++values_;
  lastValue_ = stored;
  lastValuePlace_ = place;
  Keep(stored, 1);
}

void Reader::Comma(const char* p) {
  if (!InRecord(p)) return;
  if (!numberSinceComma_) InnerError(PlaceOf(p), "a comma with no number before it");
  numberSinceComma_ = false;
}

void Reader::Paren(const char* p) {
  if (!InRecord(p)) return;
  if (*p == '(') {
    if (parenDepth_++ == 0) openParen_ = PlaceOf(p);
  } else if (parenDepth_ == 0) {
    InnerError(PlaceOf(p), "')' with no '(' open in its record");
  } else {
    --parenDepth_;
  }
}

// A first guess at the variant, from the first line that begins with a
// header: the decompiler puts a bigfont's "*BIGFONT" line, and usually a
// unifont's "*UNIFONT" header, before every other record. A wrong guess
// costs a second reading, never a wrong font.
ShapeFileKind GuessVariant(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t first = text.find_first_not_of(" \t", at);
    if (first == std::string_view::npos) break;
    if (text[first] == '*') {
      std::string_view header = text.substr(first + 1);
      if (header.substr(0, kUnifontWord.size()) == kUnifontWord) return ShapeFileKind::kUnifont10;
      if (header.substr(0, kBigfontWord.size()) == kBigfontWord) return ShapeFileKind::kBigfont10;
      break;
    }
    if (text[first] != ';' && text[first] != '\n' && text[first] != '\r') break;
    std::size_t lineEnd = text.find('\n', first);
    if (lineEnd == std::string_view::npos) break;
    at = lineEnd + 1;
  }
  return ShapeFileKind::kShapes11;
}

}  // namespace

SourceFont ReadSource(std::string_view text, const SourceReadOptions& options, Diagnostics& diagnostics) {
  ShapeFileKind assumed = GuessVariant(text);
  if (assumed == ShapeFileKind::kShapes11 && options.variant) assumed = *options.variant;
  // The second reading, where there is one, has the variant right.
  for (int reading = 1;; ++reading) {
    SourceFont font;
    Diagnostics found;
    Reader reader(text, assumed, options.takeCounted, font, found);
    reader.ReadAll();
    // The variant is the text's own; failing that, the one asked for.
    std::optional<ShapeFileKind> own;
    std::optional<SourcePlace> ownPlace;
    bool both = reader.unifontHeader && reader.bigfontLine;
    if (both) {
      SourcePlace later = *reader.bigfontLine < *reader.unifontHeader ? *reader.unifontHeader : *reader.bigfontLine;
      found.Error(later, "a text holds a *UNIFONT header or a *BIGFONT line, not both");
    } else if (reader.unifontHeader) {
      own = ShapeFileKind::kUnifont10;
      ownPlace = reader.unifontHeader;
    } else if (reader.bigfontLine) {
      own = ShapeFileKind::kBigfont10;
      ownPlace = reader.bigfontLine;
    }
    ShapeFileKind kind = options.variant ? *options.variant : ShapeFileKind::kShapes11;
    if (own) {
      if (options.variant && FamilyOf(*options.variant) != FamilyOf(*own)) {
        found.Error(*ownPlace, std::string("--variant ") + VariantName(*options.variant) + " does not apply to a " +
                                   VariantName(*own) + " text");
      }
      kind = *own;
    }
    // Code 7 and the font-header values are read by the variant's rules:
    // read again when the guess was wrong. A text's own variant wins over
    // the one asked for, which is then an error: it is read by its own, so
    // that the error is the only one.
    if (FamilyOf(kind) != FamilyOf(assumed) && !both && reading == 1) {
      assumed = kind;
      continue;
    }
    font.kind = kind;
    diagnostics.Absorb(found);
    return font;
  }
}

}  // namespace morlune
