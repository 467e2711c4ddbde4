// Header lines: "*CODE,COUNT,NAME" (also continued on the next line after
// the column-65 wrap), "*UNIFONT,COUNT,NAME" and "*BIGFONT N,R,...".
#include "source/source_pass.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace morlune::source_pass {

// At the start of the line after a header that ended with its code: the
// count and name, if the line gives them. Returns where reading goes on.
const char* SourcePass::HeaderGoesOn(const char* p) {
  headerGoesOn_ = false;
  const char* end = text_.data() + text_.size();
  const char* comma = SkipBlanks(p, end);
  if (comma < end && *comma == ',') {
    const char* lineEnd = LineEnd(comma);
    HeaderRest(pendingCode_, pendingStar_, pendingCodeText_, comma, ContentEnd(lineEnd));
    return lineEnd;
  }
  HeaderLacksCountAndName();
  return p;
}

// A header whose code is not followed by its count and name, on its line or
// the next: it still follows a "*BIGFONT" line, so that line is not told
// about as well.
void SourcePass::HeaderLacksCountAndName() {
  headerGoesOn_ = false;
  diagnostics_.Error(pendingStar_, "the header has no count and name (',COUNT,NAME')");
  bigfontWaits_ = false;
}

void SourcePass::Header(const char* star, const char* end) {
  EndRecord();
  outsideReported_ = false;
  zone_ = Zone::kSkipping;
  SourcePlace starPlace = PlaceOf(star);
  std::string_view rest(star + 1, static_cast<std::size_t>(end - star - 1));
  if (rest.substr(0, kBigfontWord.size()) == kBigfontWord) {
    BigfontLine(star, end);
    return;
  }
  if (rest.substr(0, kUnifontWord.size()) == kUnifontWord) {
    // Blanks may stand before its comma, as before a code's.
    const char* comma = SkipBlanks(star + 1 + kUnifontWord.size(), end);
    if (comma < end && *comma == ',') {
      if (!unifontHeader) unifontHeader = starPlace;
      HeaderRest(0, starPlace, std::string_view(star + 1, kUnifontWord.size()), comma, end);
      return;
    }
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
    pendingCodeText_ = std::string_view(p, static_cast<std::size_t>(stop - p));
    pendingStar_ = starPlace;
    return;
  }
  HeaderRest(static_cast<std::uint16_t>(code.value), starPlace, std::string_view(p, static_cast<std::size_t>(stop - p)),
             after, end);
}

// The ",COUNT,NAME" of a header, from its first comma to the end of its line.
void SourcePass::HeaderRest(std::uint16_t code, SourcePlace star, std::string_view codeText, const char* comma,
                            const char* end) {
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
  BeginRecord(code, star, codeText, std::string_view(name, static_cast<std::size_t>(end - name)));
  countText_ = std::string_view(p, static_cast<std::size_t>(stop - p));
  countPlace_ = countPlace;
  count_ = count.value;
  // No record holds more data bytes than this, so a count past it can
  // never be met; its value, cut at seven digits, would not be the one
  // written either.
  countKnown_ = count.value >= 0 && count.value <= static_cast<long>(kMostDataBytes);
  if (!countKnown_) {
    std::string text = "the count " + Quoted(p, stop) + " is out of range (0 to 32767)";
    if (takeCounted_) {
      diagnostics_.Warning(countPlace, text + "; the record takes the bytes of its numbers");
    } else {
      InnerError(countPlace, text);
    }
  }
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

void SourcePass::BigfontLine(const char* star, const char* end) {
  SourcePlace starPlace = PlaceOf(star);
  if (!bigfontLine) bigfontLine = starPlace;
  if (bigfontWaits_) {
    // The line before lacks its font-header record, and this line is where
    // that shows: the fault is told here alone, and this line is passed over.
    diagnostics_.Error(starPlace, "a *BIGFONT line cannot follow another: each is followed by its font-header "
                                  "record (*0,COUNT,NAME)");
    bigfontWaits_ = false;
    return;
  }
  // N, R, then R pairs of codes.
  long long declared = 0;
  std::string_view declaredText, pairsText;
  bool declaredInRange = true;
  SourcePlace declaredPlace, pairsPlace;
  long long pairs = -1;
  std::vector<EscapeRangeEntry> ranges;
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
      declaredText = std::string_view(p, static_cast<std::size_t>(stop - p));
      declaredPlace = place;
      // N is only compared with the font, so a value it can never take is
      // told as such, and not compared.
      declaredInRange = number.value >= 0 && number.value <= kMostBigfontRecordCount;
      if (!declaredInRange) {
        diagnostics_.Warning(place, "the record count " + Quoted(p, stop) + " is out of range (0 to 32767)");
      }
    } else if (taken == 1) {
      if (number.value < 0 || number.value > kLargestCode) {
        diagnostics_.Error(place, "the number of escape ranges " + Quoted(p, stop) + " is out of range (0 to 65535)");
        return;
      }
      pairs = number.value;
      pairsText = std::string_view(p, static_cast<std::size_t>(stop - p));
      pairsPlace = place;
    } else {
      if (taken - 2 >= 2 * pairs) {
        diagnostics_.Error(place, "more codes than " + NumberAsWritten(pairsText, pairs) + " escape ranges take");
        return;
      }
      if (number.value < 0 || number.value > kLargestCode) {
        diagnostics_.Error(place, "escape code " + Quoted(p, stop) + " is out of range (0 to 65535)");
        return;
      }
      auto value = static_cast<std::uint16_t>(number.value);
      if (taken % 2 == 0) {
        ranges.push_back(EscapeRangeEntry{value, value});
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
    diagnostics_.Error(pairsPlace, NumberAsWritten(pairsText, pairs) + " escape ranges take " +
                                       std::to_string(2 * pairs) + " codes; the line gives " +
                                       std::to_string(taken - 2));
    return;
  }
  if (!sawBigfontLine_) {
    font_.escapeRanges = std::move(ranges);
  } else if (ranges.size() != font_.escapeRanges.size() ||
             !std::equal(ranges.begin(), ranges.end(), font_.escapeRanges.begin(),
                         [](const EscapeRangeEntry& a, const EscapeRangeEntry& b) { return a.first == b.first && a.last == b.last; })) {
    diagnostics_.Error(starPlace, "this *BIGFONT line gives other escape ranges than the first");
  }
  if (declaredInRange) font_.bigfontCounts.push_back(DeclaredRecordCount{declared, declaredText, declaredPlace});
  sawBigfontLine_ = true;
  bigfontWaits_ = true;
  bigfontWaiting_ = starPlace;
  zone_ = Zone::kOutside;
}

void SourcePass::BeginRecord(std::uint16_t code, SourcePlace star, std::string_view codeText, std::string_view name) {
  if (bigfontWaits_) {
    bigfontWaits_ = false;
    if (code != 0) {
      diagnostics_.Error(bigfontWaiting_, "a *BIGFONT line must be followed by the font-header record (*0,COUNT,NAME)");
    }
  }
  zone_ = Zone::kRecord;
  record_ = SourceRecord{};
  record_.code = code;
  record_.codeText = codeText;
  record_.name = name;
  record_.header = star;
  record_.dataOffset = DataSize();
  fontHeader_ = code == 0;
  whole_ = true;
  recordBytes_ = 0;
  numberSinceComma_ = false;
  parenDepth_ = 0;
  values_ = 0;
  lastValue_ = 0;
  cursor_ = ItemCursor(family_ == Family::kUnifont ? Variant::kUnifont : Variant::kShapes11);
}

}  // namespace morlune::source_pass
