// Hershey glyph lines read line by line into stroke glyphs, every
// malformed line refused with its number.
#include "convert/jhf/jhf_reader.h"

#include <string>
#include <vector>

#include "convert/jhf/jhf_grid.h"

namespace morlune::convert {
namespace {

// No font has this many lines; past it the input is not one.
constexpr std::size_t kMostLines = 65536 - kJhfFirstCode;

// A line of no width is a code the reader leaves empty: it skips the
// strokes too, so such marks are no part of the font as it is read.
constexpr std::string_view kInkedNoWidth = "glyphs that draw but have no width, left out as the reader skips them";

Error Refused(std::size_t line, const std::string& what) {
  return Error{ErrorKind::kNotAFont, "line " + std::to_string(line) + ": " + what, {}};
}

bool Digits(std::string_view field, int& value) {
  value = 0;
  bool any = false;
  for (char c : field) {
    if (c == ' ' && !any) continue;
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    any = true;
  }
  return any;
}

bool Coordinate(char c, int& value) {
  value = c - kJhfZero;
  return value >= kJhfLeast && value <= kJhfMost;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

Result<StrokeFont> ReadJhf(std::string_view text, const std::string& name) {
  StrokeFont font;
  font.name = name;
  font.capHeight = kJhfCapitalHeight;
  font.onOwnGrid = true;
  font.byteCoded = true;
  std::vector<std::string_view> lines = Lines(text);
  // The stroke's vertices gather here, and go into the glyph at their
  // size: one allocation a stroke.
  std::vector<StrokeVertex> vertices;
  std::string joined;
  // Line i is code 32 + i, whether or not its glyph is kept.
  std::size_t records = 0;
  for (std::size_t at = 0; at < lines.size();) {
    std::size_t lineNumber = at + 1;
    std::string_view record = lines[at++];
    if (record.empty()) return Refused(lineNumber, "an empty line stands where a glyph should");
    int pairs = 0;
    if (record.size() < 10 || !Digits(record.substr(5, 3), pairs) || pairs < 1) {
      return Refused(lineNumber, "no glyph number, pair count and margins in the first ten columns");
    }
    std::size_t length = 8 + 2 * static_cast<std::size_t>(pairs);
    // A record wrapped over lines is joined; most stand on one.
    if (record.size() < length && at < lines.size() && !lines[at].empty()) {
      joined.assign(record);
      while (joined.size() < length && at < lines.size() && !lines[at].empty()) joined += lines[at++];
      record = joined;
    }
    // Blanks after the last pair are no part of the record.
    while (record.size() > length && record.back() == ' ') record.remove_suffix(1);
    if (record.size() != length) {
      return Refused(lineNumber, "the pair count says " + std::to_string(pairs) + " pairs but the line holds " +
                                     std::to_string((record.size() - 8) / 2) + (record.size() % 2 ? " and a half" : ""));
    }
    int left = 0, right = 0;
    if (!Coordinate(record[8], left) || !Coordinate(record[9], right) || left > right) {
      return Refused(lineNumber, "the margins are out of range or the left one passes the right one");
    }
    if (records >= kMostLines) return Refused(lineNumber, "more lines than codes");
    StrokeGlyph glyph;
    glyph.character = static_cast<char32_t>(kJhfFirstCode + records++);
    glyph.advance = right - left;
    // One stroke more than pen-ups at most.
    std::size_t strokes = 1;
    for (std::size_t k = 10; k < length; k += 2) strokes += record[k] == ' ' && record[k + 1] == kJhfZero;
    glyph.strokes.reserve(strokes);
    vertices.clear();
    auto endStroke = [&] {
      if (vertices.size() >= 2) glyph.strokes.push_back(Stroke{std::vector<StrokeVertex>(vertices.begin(), vertices.end())});
      vertices.clear();
    };
    for (std::size_t k = 10; k < length; k += 2) {
      if (record[k] == ' ' && record[k + 1] == kJhfZero) {
        endStroke();
        continue;
      }
      int x = 0, y = 0;
      if (!Coordinate(record[k], x) || !Coordinate(record[k + 1], y)) {
        return Refused(lineNumber, "column " + std::to_string(k + 1) + " holds no coordinate");
      }
      vertices.push_back({static_cast<double>(x - left), static_cast<double>(kJhfBaseline - y), 0, false});
    }
    endStroke();
    if (glyph.advance == 0 && !glyph.strokes.empty()) {
      font.notes.Add(kInkedNoWidth, lineNumber);
      continue;
    }
    font.glyphs.push_back(std::move(glyph));
  }
  if (font.glyphs.empty()) return Error{ErrorKind::kNotAFont, "no glyph lines", {}};
  return font;
}

}  // namespace morlune::convert
