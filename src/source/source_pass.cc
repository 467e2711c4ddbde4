// The pass over a source text's bytes: line ends, comments, commas,
// parentheses and numbers, each number walked through the item grammar to
// the bytes it makes, and the checks at the end of each record.
#include "source/source_pass.h"

#include <algorithm>
#include <cstring>

namespace morlune::source_pass {

// The end of the line that p is on: its line feed, or the end of the text.
const char* SourcePass::LineEnd(const char* p) const {
  const char* end = text_.data() + text_.size();
  const void* feed = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
  return feed != nullptr ? static_cast<const char*>(feed) : end;
}

// The line's text without its line end: a carriage return right before the
// line feed belongs to the line end, any other is an ordinary byte.
const char* SourcePass::ContentEnd(const char* lineEnd) const {
  const char* end = text_.data() + text_.size();
  return lineEnd < end && lineEnd > lineStart_ && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
}

// One pass over the bytes; a line feed is one case among the others, so
// that the usual line costs no search for its end.
void SourcePass::ReadAll() {
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
        const char* lineEnd = LineEnd(p);
        if (headerMayStart_) {
          Header(p, ContentEnd(lineEnd));
        } else {
          StrayStar(p);
        }
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
  if (headerGoesOn_) HeaderLacksCountAndName();
  if (bigfontWaits_) {
    diagnostics_.Error(bigfontWaiting_, "a *BIGFONT line must be followed by the font-header record (*0,COUNT,NAME)");
  }
}

void SourcePass::Grow() {
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
const char* SourcePass::RecordBody(const char* p, const char* end) {
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

void SourcePass::EndRecord() {
  if (zone_ != Zone::kRecord) return;
  zone_ = Zone::kOutside;
  // After a problem inside the record these would only echo it.
  if (whole_) EndChecks();
  record_.whole = whole_;
  record_.dataSize = recordBytes_;
  font_.records.push_back(record_);
}

void SourcePass::EndChecks() {
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
  if (bytesKnown && countKnown_ && count_ != static_cast<long long>(recordBytes_)) {
    std::string text = "the count is " + NumberAsWritten(countText_, count_) + " but the numbers make " +
                       std::to_string(recordBytes_) + (recordBytes_ == 1 ? " byte" : " bytes");
    if (takeCounted_) {
      diagnostics_.Warning(countPlace_, text + "; the record takes " + std::to_string(recordBytes_));
    } else {
      diagnostics_.Error(countPlace_, text);
    }
  }
  if (diagnostics_.ErrorCount() != errorsBefore) whole_ = false;
}

// A "*" where no number could begin is no header: it neither ends the
// record nor tells the variant. What follows it on its line would only
// echo the one fault, so the line is passed over.
void SourcePass::StrayStar(const char* star) {
  std::string text = "unexpected '*': a header begins a line or follows a comma";
  if (zone_ == Zone::kRecord) {
    InnerError(PlaceOf(star), std::move(text));
  } else {
    diagnostics_.Error(PlaceOf(star), std::move(text));
  }
}

bool SourcePass::InRecord(const char* p) {
  if (zone_ == Zone::kRecord) return true;
  if (zone_ == Zone::kOutside && !outsideReported_) {
    outsideReported_ = true;
    diagnostics_.Error(PlaceOf(p), "numbers must follow a record's header (*CODE,COUNT,NAME)");
  }
  return false;
}

void SourcePass::Number(const char* p, const char* stop, NumberFault fault, SourceNumber number) {
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

inline void SourcePass::ItemNumber(SourcePlace place, const char* p, const char* stop, bool bad, SourceNumber number) {
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

void SourcePass::HeaderValue(SourcePlace place, const char* p, const char* stop, bool bad, SourceNumber number) {
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

void SourcePass::Comma(const char* p) {
  if (!InRecord(p)) return;
  if (!numberSinceComma_) InnerError(PlaceOf(p), "a comma with no number before it");
  numberSinceComma_ = false;
}

void SourcePass::Paren(const char* p) {
  if (!InRecord(p)) return;
  if (*p == '(') {
    if (parenDepth_++ == 0) openParen_ = PlaceOf(p);
  } else if (parenDepth_ == 0) {
    InnerError(PlaceOf(p), "')' with no '(' open in its record");
  } else {
    --parenDepth_;
  }
}

}  // namespace morlune::source_pass
