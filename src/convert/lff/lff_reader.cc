// A single-line font read line by line: its header, its glyphs and the
// references that copy one glyph into another, bounded against cycles.
#include "convert/lff/lff_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <unordered_set>
#include <vector>

#include "convert/arc_math.h"
#include "convert/lff/lff_grid.h"
#include "convert/utf8_text.h"
#include "platform/decimal_from_chars.h"

namespace morlune::convert {
namespace {

// Copies of copies could otherwise grow a glyph without end. No glyph of
// text comes near this many vertices (a shape's record holds 32767 bytes),
// and stopping a chain of copies here keeps a hostile font's read short.
constexpr std::size_t kMostVertices = kLffMostGlyphVertices;
constexpr std::size_t kMostFontVertices = 1 << 22;
constexpr char32_t kLastCharacter = 0x10FFFF;

struct RawGlyph {
  char32_t character = 0;
  std::size_t line = 0;
  std::vector<Stroke> strokes;
  std::vector<std::pair<char32_t, std::size_t>> references;  // character, line
};

Error Refused(std::size_t line, const std::string& what) {
  return Error{ErrorKind::kNotAFont, (line > 0 ? "line " + std::to_string(line) + ": " : "") + what, {}};
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool Number(std::string_view text, double& value) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  auto [end, error] = DecimalFromChars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// What the reader takes in place of what the format asks for, as it is
// told to the user.
constexpr std::string_view kLaterGlyph = "glyphs for a code given before, kept in place of the earlier one";
constexpr std::string_view kLooseHeader = "glyph headers read from their first run of hexadecimal digits";
constexpr std::string_view kJunkNumber = "coordinates or bulges that are not numbers, read as 0";
constexpr std::string_view kOneNumber = "vertices of one number, skipped";
constexpr std::string_view kCopiesItself = "glyphs that copy themselves, directly or through others, left out";

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool HexCode(std::string_view text, char32_t& code) {
  if (text.empty() || text.size() > 6) return false;
  std::uint32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size() || value > kLastCharacter) return false;
  code = value;
  return true;
}

// The character of a glyph header: the first run of hexadecimal digits
// before its ']', as the reader takes it. `loose` tells whether the line
// strays from "[hex]" or "[#hex]"; an empty result is the refusal.
std::string HeaderCharacter(std::string_view line, char32_t& character, bool& loose) {
  constexpr std::string_view kForm = "a glyph header is [ and 1 to 6 hexadecimal digits and ]";
  std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::string(kForm);
  std::string_view inside = line.substr(1, close - 1);
  std::size_t first = 0;
  while (first < inside.size() && !IsHexDigit(inside[first])) ++first;
  std::size_t last = first;
  while (last < inside.size() && IsHexDigit(inside[last])) ++last;
  std::string_view digits = inside.substr(first, last - first);
  if (digits.empty() || digits.size() > 6) return std::string(kForm);
  std::uint32_t value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (value > kLastCharacter) {
    return "a glyph header's code " + std::string(digits) + " lies past U+10FFFF, the last character";
  }
  character = value;
  loose = last != inside.size() || !(first == 0 || (first == 1 && inside[0] == '#'));
  return {};
}

// A coordinate or a bulge: a number that does not parse is 0 to the
// reader (told in `junk`); one that parses to no finite value is refused,
// since no drawing can hold it.
bool Coordinate(std::string_view text, double& value, bool& junk) {
  if (Number(text, value)) return true;
  std::string_view trimmed = Trim(text);
  if (!trimmed.empty() && trimmed.front() == '+') trimmed.remove_prefix(1);
  double parsed = 0;
  auto [end, error] = DecimalFromChars(trimmed.data(), trimmed.data() + trimmed.size(), parsed);
  if (end == trimmed.data() + trimmed.size() && !trimmed.empty() && (error != std::errc() || !std::isfinite(parsed))) {
    return false;  // nan, inf, or past the range of a double
  }
  value = 0;
  junk = true;
  return true;
}

enum class VertexRead { kVertex, kOneNumber, kRefused };

// "x,y" or "x,y,A<bulge>"; a piece without a comma is a vertex of one
// number, which the reader skips. `junk` tells a number read as 0.
VertexRead Vertex(std::string_view piece, StrokeVertex& vertex, bool& junk) {
  std::size_t comma = piece.find(',');
  if (comma == std::string_view::npos) return VertexRead::kOneNumber;
  std::string_view rest = piece.substr(comma + 1);
  std::size_t second = rest.find(',');
  if (!Coordinate(piece.substr(0, comma), vertex.x, junk) || !Coordinate(rest.substr(0, second), vertex.y, junk)) {
    return VertexRead::kRefused;
  }
  vertex.bulge = 0;
  if (second != std::string_view::npos) {
    std::string_view bulge = Trim(rest.substr(second + 1));
    if (bulge.empty() || (bulge[0] != 'A' && bulge[0] != 'a')) return VertexRead::kRefused;
    if (bulge.substr(1).find(',') != std::string_view::npos) return VertexRead::kRefused;
    if (!Coordinate(bulge.substr(1), vertex.bulge, junk)) return VertexRead::kRefused;
  }
  return VertexRead::kVertex;
}

// Copies each glyph's references into it, walking down the chain of copies
// on a stack of its own: a hostile font's chain may run through every one
// of its glyphs, deeper than the program's own stack goes.
class GlyphExpander {
 public:
  explicit GlyphExpander(const std::map<char32_t, RawGlyph>& glyphs) : glyphs_(glyphs) {}

  // The glyph's strokes with every reference copied in, or an error. A
  // glyph whose copies come back to a glyph on their way (the reader
  // recurses there until it crashes) is told by `cycle`, with no strokes.
  Result<std::vector<Stroke>> Expand(const RawGlyph& glyph, bool& cycle) {
    std::vector<Stroke> strokes;
    cycle = false;
    std::size_t vertices = 0, visits = 0;
    chain_.clear();
    onChain_.clear();
    for (const RawGlyph* next = &glyph; next != nullptr; next = NextCopy()) {
      if (!onChain_.insert(next->character).second) {
        cycle = true;
        return std::vector<Stroke>();
      }
      // Copies of glyphs that draw nothing add no vertex but take time:
      // each glyph's walk and the whole font's are bounded.
      if (++visits > kMostVertices) return Refused(0, CharacterName(glyph.character) + " follows too many references");
      if (++fontVisits_ > kMostFontVertices) return Refused(0, "the glyphs follow more than 4194304 references");
      for (const Stroke& stroke : next->strokes) {
        vertices += stroke.vertices.size();
        if (vertices > kMostVertices) {
          return Refused(0, CharacterName(glyph.character) + " grows past " + std::to_string(kMostVertices) +
                                " vertices through its references");
        }
        strokes.push_back(stroke);
      }
      chain_.push_back({next, 0});
    }
    return strokes;
  }

 private:
  // The glyph that the chain copies next, in the order of the references
  // (each one's own references before the next); glyphs left behind leave
  // the chain. A reference to nothing is skipped, as the reader skips it.
  const RawGlyph* NextCopy() {
    while (!chain_.empty()) {
      Step& top = chain_.back();
      if (top.reference == top.glyph->references.size()) {
        onChain_.erase(top.glyph->character);
        chain_.pop_back();
        continue;
      }
      auto found = glyphs_.find(top.glyph->references[top.reference++].first);
      if (found != glyphs_.end()) return &found->second;
    }
    return nullptr;
  }

  struct Step {
    const RawGlyph* glyph;
    std::size_t reference;  // the next of its references to follow
  };

  const std::map<char32_t, RawGlyph>& glyphs_;
  std::vector<Step> chain_;
  std::unordered_set<char32_t> onChain_;
  std::size_t fontVisits_ = 0;
};

double RightmostPoint(const std::vector<Stroke>& strokes, bool& any) {
  double right = 0;
  any = false;
  for (const Stroke& stroke : strokes) {
    for (std::size_t k = 0; k < stroke.vertices.size(); ++k) {
      const StrokeVertex& v = stroke.vertices[k];
      right = any ? std::max(right, v.x) : v.x;
      any = true;
      if (k > 0 && v.bulge != 0) {
        const StrokeVertex& u = stroke.vertices[k - 1];
        right = std::max(right, ArcRightmost(ArcOfBulge({u.x, u.y}, {v.x, v.y}, v.bulge)));
      }
    }
  }
  return right;
}

}  // namespace

Result<StrokeFont> ReadLff(std::string_view text, const std::string& name) {
  StrokeFont font;
  font.name = name;
  font.capHeight = kLffCapitalHeight;
  double letterSpacing = kLffDefaultLetterSpacing, wordSpacing = kLffDefaultWordSpacing;
  bool named = false;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::map<char32_t, RawGlyph> glyphs;
  std::vector<char32_t> order;
  RawGlyph* current = nullptr;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) {
      current = nullptr;
      continue;
    }
    if (current == nullptr) {
      if (line[0] == '#') {
        std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        std::string key(Trim(line.substr(1, colon - 1)));
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
        std::string_view value = Trim(line.substr(colon + 1));
        if (std::size_t next = value.find(':'); next != std::string_view::npos) value = Trim(value.substr(0, next));
        double number = 0;
        if (key == "letterspacing" && Number(value, number)) letterSpacing = number;
        if (key == "wordspacing" && Number(value, number)) wordSpacing = number;
        if (key == "name" && !named && !value.empty()) {
          font.name = std::string(value);
          named = true;
        }
        continue;
      }
      if (line[0] != '[') continue;
      char32_t character = 0;
      bool loose = false;
      if (std::string problem = HeaderCharacter(line, character, loose); !problem.empty()) {
        return Refused(lineNumber, problem);
      }
      if (loose) font.notes.Add(kLooseHeader, lineNumber);
      if (glyphs.count(character) != 0) {
        // The reader's table takes the later glyph over the earlier.
        font.notes.Add(kLaterGlyph, lineNumber);
      } else {
        order.push_back(character);
      }
      current = &glyphs[character];
      *current = RawGlyph{};
      current->character = character;
      current->line = lineNumber;
      continue;
    }
    if (line[0] == 'C') {
      char32_t target = 0;
      if (!HexCode(Trim(line.substr(1)), target)) return Refused(lineNumber, "a reference is C and a hexadecimal code");
      current->references.push_back({target, lineNumber});
      continue;
    }
    Stroke stroke;
    for (std::string_view rest = line; !rest.empty();) {
      std::size_t semicolon = rest.find(';');
      std::string_view piece = Trim(rest.substr(0, semicolon));
      rest.remove_prefix(semicolon == std::string_view::npos ? rest.size() : semicolon + 1);
      if (piece.empty()) continue;
      StrokeVertex vertex;
      bool junk = false;
      VertexRead read = Vertex(piece, vertex, junk);
      if (read == VertexRead::kRefused) {
        std::string quoted = "'";
        quoted.append(piece.substr(0, 40)).append("' is not a vertex x,y or x,y,A<bulge>");
        return Refused(lineNumber, quoted);
      }
      if (read == VertexRead::kOneNumber) {
        font.notes.Add(kOneNumber, lineNumber);
        continue;
      }
      if (junk) font.notes.Add(kJunkNumber, lineNumber);
      if (stroke.vertices.empty()) vertex.bulge = 0;
      stroke.vertices.push_back(vertex);
    }
    if (stroke.vertices.size() >= 2) current->strokes.push_back(std::move(stroke));
  }

  GlyphExpander expander(glyphs);
  std::size_t fontVertices = 0;
  StrokeGlyph space;
  space.character = U' ';
  space.advance = wordSpacing;
  font.glyphs.push_back(space);
  for (char32_t character : order) {
    if (character == U' ') continue;  // the space always advances by the word spacing
    bool cycle = false;
    Result<std::vector<Stroke>> strokes = expander.Expand(glyphs[character], cycle);
    if (!strokes) return strokes.error();
    if (cycle) {
      font.notes.Add(kCopiesItself, glyphs[character].line);
      continue;
    }
    if (strokes->empty()) continue;  // the reader drops a glyph that draws nothing
    for (const Stroke& stroke : *strokes) fontVertices += stroke.vertices.size();
    if (fontVertices > kMostFontVertices) return Refused(0, "the glyphs hold more than 4194304 vertices");
    StrokeGlyph glyph;
    glyph.character = character;
    bool any = false;
    double right = RightmostPoint(*strokes, any);
    glyph.advance = right < 0 ? 0 : right + letterSpacing;
    glyph.spacingAfterInk = letterSpacing;
    glyph.strokes = std::move(*strokes);
    font.glyphs.push_back(std::move(glyph));
  }
  // The space is the font's own, whatever the file holds.
  if (font.glyphs.size() == 1) return Refused(0, "no glyph found: no [code] line followed by strokes");
  return font;
}

}  // namespace morlune::convert
