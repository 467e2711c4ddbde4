// Numbers are read as whole millionths, exactly: both writers round to at
// most six decimals, and the picture's relative numbers then add up
// without drift.
#include "fuzz/path_compare.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "drawing/picture_scale.h"

namespace morlune::fuzzing {
namespace {

constexpr std::int64_t kMillion = 1000000;
constexpr std::int64_t kBoundMillionths = 2147483648LL * kMillion;  // 2^31

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number at text[at]: an optional minus, digits, an optional point and
// up to six decimals. Moves at past it.
bool ReadMillionths(std::string_view text, std::size_t& at, std::int64_t& value) {
  bool negative = at < text.size() && text[at] == '-';
  std::size_t p = at + (negative ? 1 : 0);
  if (p >= text.size() || !IsDigit(text[p])) return false;
  std::int64_t whole = 0;
  int digits = 0;
  for (; p < text.size() && IsDigit(text[p]); ++p) {
    if (++digits > 12) return false;
    whole = whole * 10 + (text[p] - '0');
  }
  std::int64_t fraction = 0;
  int decimals = 0;
  if (p < text.size() && text[p] == '.') {
    for (++p; p < text.size() && IsDigit(text[p]); ++p) {
      if (++decimals > 6) return false;
      fraction = fraction * 10 + (text[p] - '0');
    }
    if (decimals == 0) return false;
  }
  for (int d = decimals; d < 6; ++d) fraction *= 10;
  value = (whole * kMillion + fraction) * (negative ? -1 : 1);
  at = p;
  return true;
}

struct Segment {
  char command;  // 'L' or 'A'
  std::int64_t numbers[7];  // L: x, y; A: rx, ry, rotation, large, sweep, x, y
};

// The listing's absolute path data: "M x y", " L x y", " A rx ry 0 l s x y".
bool ListingSegments(std::string_view path, std::vector<Segment>& segments) {
  std::size_t at = 0;
  while (at < path.size()) {
    if (at > 0 && path[at++] != ' ') return false;
    if (at + 2 > path.size() || path[at + 1] != ' ') return false;
    char command = path[at];
    at += 2;
    int count = command == 'A' ? 7 : 2;
    if (command != 'M' && command != 'L' && command != 'A') return false;
    Segment segment{command, {}};
    for (int i = 0; i < count; ++i) {
      if (i > 0 && (at >= path.size() || path[at++] != ' ')) return false;
      if (!ReadMillionths(path, at, segment.numbers[i])) return false;
      if (std::llabs(segment.numbers[i]) > kBoundMillionths) return false;
    }
    if (command != 'M') segments.push_back(segment);
  }
  return true;
}

// The picture's relative path data (m, l, a; a command letter only where
// it changes; blanks only where a number follows a number) made absolute.
bool PictureSegments(std::string_view path, std::vector<Segment>& segments) {
  std::size_t at = 0;
  char command = 0;
  std::int64_t x = 0, y = 0;
  while (at < path.size()) {
    if (path[at] == ' ') ++at;
    if (at < path.size() && (path[at] == 'm' || path[at] == 'l' || path[at] == 'a')) command = path[at++];
    int count = command == 'a' ? 7 : 2;
    if (command == 0) return false;
    std::int64_t numbers[7];
    for (int i = 0; i < count; ++i) {
      if (i > 0 && at < path.size() && path[at] == ' ') ++at;
      if (!ReadMillionths(path, at, numbers[i])) return false;
    }
    std::int64_t dx = numbers[count - 2], dy = numbers[count - 1];
    x += dx;
    y += dy;
    if (command == 'm') {
      command = 'l';  // the pairs after a move are lines
      continue;
    }
    Segment segment{command == 'a' ? 'A' : 'L', {}};
    for (int i = 0; i < count - 2; ++i) segment.numbers[i] = numbers[i];
    segment.numbers[count - 2] = x;
    segment.numbers[count - 1] = y;
    segments.push_back(segment);
  }
  return true;
}

}  // namespace

bool IsBoundedListing(std::string_view listing) {
  std::size_t at = 0;
  while (at < listing.size()) {
    std::size_t end = listing.find('\n', at);
    if (end == std::string_view::npos) return false;
    std::string_view line = listing.substr(at, end - at);
    at = end + 1;
    std::size_t tab = line.find('\t'), second = line.find('\t', tab + 1);
    if (tab == std::string_view::npos || second == std::string_view::npos) return false;
    std::size_t p = tab + 1;
    std::int64_t x, y;
    if (!ReadMillionths(line, p, x) || p >= line.size() || line[p++] != ',' || !ReadMillionths(line, p, y) ||
        p != second) {
      return false;
    }
    if (std::llabs(x) > kBoundMillionths || std::llabs(y) > kBoundMillionths) return false;
    std::vector<Segment> segments;
    if (!ListingSegments(line.substr(second + 1), segments)) return false;
  }
  return true;
}

bool IsBalancedSvg(std::string_view out) {
  std::vector<std::string_view> open;
  bool rootSeen = false;
  for (std::size_t at = out.find('<'); at != std::string_view::npos; at = out.find('<', at)) {
    std::size_t end = out.find('>', at);
    if (end == std::string_view::npos) return false;
    std::string_view tag = out.substr(at + 1, end - at - 1);
    at = end;
    if (tag.find("nan") != std::string_view::npos || tag.find("inf") != std::string_view::npos) return false;
    if (tag.starts_with('?') || tag.starts_with('!')) continue;
    if (tag.starts_with('/')) {
      if (open.empty() || open.back() != tag.substr(1)) return false;
      open.pop_back();
      continue;
    }
    if (open.empty()) {
      if (rootSeen) return false;
      rootSeen = true;
    }
    if (!tag.ends_with('/')) open.push_back(tag.substr(0, tag.find(' ')));
  }
  return rootSeen && open.empty();
}

std::vector<SpecimenGlyph> SpecimenGlyphs(std::string_view svg) {
  static constexpr std::string_view kCell = "<g transform=\"translate(";
  static constexpr std::string_view kGlyph = "<path class=\"g\" transform=\"matrix(";
  std::vector<SpecimenGlyph> glyphs;
  // Each search stays inside its cell, and the next cell is sought after
  // this one's end: the picture is read once, however many cells draw
  // nothing.
  std::size_t at = svg.find(kCell);
  while (at != std::string_view::npos) {
    std::size_t cellEnd = svg.find("</g>", at);
    if (cellEnd == std::string_view::npos) cellEnd = svg.size();
    std::string_view cell = svg.substr(at, cellEnd - at);
    SpecimenGlyph glyph;
    std::size_t path = cell.find(kGlyph);
    if (path != std::string_view::npos) {
      std::string_view matrix = cell.substr(path + kGlyph.size(), 32);
      glyph.pixelsPerUnit = std::strtod(std::string(matrix).c_str(), nullptr);
      std::size_t data = cell.find("d=\"", path);
      if (data != std::string_view::npos) {
        data += 3;
        std::size_t quote = cell.find('"', data);
        glyph.pathData = std::string(cell.substr(data, (quote == std::string_view::npos ? cell.size() : quote) - data));
      }
    }
    glyphs.push_back(std::move(glyph));
    at = svg.find(kCell, cellEnd);
  }
  return glyphs;
}

bool SamePaths(std::string_view listingLine, const SpecimenGlyph& glyph) {
  std::size_t second = listingLine.find('\t', listingLine.find('\t') + 1);
  std::vector<Segment> listed, pictured;
  if (!ListingSegments(listingLine.substr(second + 1), listed) || !PictureSegments(glyph.pathData, pictured)) {
    return false;
  }
  if (listed.size() != pictured.size()) return false;
  // Half the picture's last decimal, from the scale as its matrix writes
  // it (which may take one decimal fewer than the scale itself), and the
  // listing's own rounding.
  int decimals = PathDecimals(glyph.pixelsPerUnit) - 1;
  std::int64_t tolerance = 1;
  for (int d = decimals; d < 6; ++d) tolerance *= 10;
  tolerance = tolerance / 2 + 1;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    const Segment& a = listed[i];
    const Segment& b = pictured[i];
    if (a.command != b.command) return false;
    int count = a.command == 'A' ? 7 : 2;
    for (int k = 0; k < count; ++k) {
      bool flag = a.command == 'A' && k >= 2 && k <= 4;
      if (flag ? a.numbers[k] != b.numbers[k] : std::llabs(a.numbers[k] - b.numbers[k]) > tolerance) return false;
    }
  }
  return true;
}

}  // namespace morlune::fuzzing
