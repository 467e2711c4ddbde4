// The SVG font read from its parsed document: the font's and the
// glyphs' attributes, each glyph's path data into strokes.
#include "convert/svg/svg_font_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>

#include "convert/svg/svg_path_data.h"
#include "convert/utf8_text.h"
#include "convert/svg/xml_reader.h"
#include "platform/decimal_from_chars.h"

namespace morlune::convert {
namespace {

constexpr double kDefaultEm = 1000;
// Curves are sampled to a ten-thousandth of the em: far finer than any
// tolerance an import takes.
constexpr double kFlatnessPerEm = 1e-4;
constexpr std::size_t kMostFontVertices = 1 << 22;

Error Refused(const std::string& what) { return Error{ErrorKind::kNotAFont, what, {}}; }

bool Number(const std::string* text, double& value) {
  if (text == nullptr) return false;
  std::string_view view = *text;
  while (!view.empty() && view.front() == ' ') view.remove_prefix(1);
  while (!view.empty() && view.back() == ' ') view.remove_suffix(1);
  if (!view.empty() && view.front() == '+') view.remove_prefix(1);
  auto [end, error] = DecimalFromChars(view.data(), view.data() + view.size(), value);
  return !view.empty() && error == std::errc() && end == view.data() + view.size() && std::isfinite(value);
}

// Text whose first character is one, with more after it.
bool SeveralCharacters(std::string_view text) {
  if (text.empty()) return false;
  unsigned char lead = static_cast<unsigned char>(text[0]);
  std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return text.size() > length && OneCharacter(text.substr(0, length)) != 0;
}

double Top(const StrokeGlyph& glyph) {
  double top = -HUGE_VAL;
  for (const Stroke& stroke : glyph.strokes) {
    for (const StrokeVertex& v : stroke.vertices) top = std::max(top, v.y);
  }
  return top;
}

}  // namespace

Result<StrokeFont> ReadSvgFont(std::string_view text, const std::string& name) {
  std::vector<XmlElement> elements;
  if (std::optional<std::string> problem = ReadXml(text, elements)) return Refused(*problem);
  std::ptrdiff_t fontIndex = -1;
  for (std::size_t k = 0; k < elements.size(); ++k) {
    if (elements[k].name == "font") {
      fontIndex = static_cast<std::ptrdiff_t>(k);
      break;
    }
  }
  if (fontIndex < 0) return Refused("the document holds no <font>");
  const XmlElement& fontElement = elements[static_cast<std::size_t>(fontIndex)];
  double em = kDefaultEm, fontAdvance = 0, statedCap = 0, descent = 0;
  bool fontHasAdvance = Number(fontElement.Attribute("horiz-adv-x"), fontAdvance);
  StrokeFont font;
  font.name = name;
  if (const std::string* id = fontElement.Attribute("id"); id != nullptr && !id->empty()) font.name = *id;
  bool faceSeen = false;
  for (std::size_t k = static_cast<std::size_t>(fontIndex) + 1; k < elements.size(); ++k) {
    const XmlElement& element = elements[k];
    if (element.parent != fontIndex || element.name != "font-face" || faceSeen) continue;
    faceSeen = true;
    double value = 0;
    if (Number(element.Attribute("units-per-em"), value) && value > 0) em = value;
    if (Number(element.Attribute("cap-height"), value) && value > 0) statedCap = value;
    if (Number(element.Attribute("descent"), value)) descent = std::fabs(value);
    if (const std::string* family = element.Attribute("font-family"); family != nullptr && !family->empty()) {
      font.name = *family;
    }
  }
  std::set<char32_t> seen;
  std::size_t vertices = 0;
  for (std::size_t k = static_cast<std::size_t>(fontIndex) + 1; k < elements.size(); ++k) {
    const XmlElement& element = elements[k];
    if (element.parent != fontIndex || element.name != "glyph") continue;
    const std::string* unicode = element.Attribute("unicode");
    char32_t character = unicode != nullptr ? OneCharacter(*unicode) : 0;
    // A reader looks glyphs up one character at a time: a unicode of
    // several (a ligature) is never used. The first glyph of a character
    // wins.
    if (character == 0 && unicode != nullptr && SeveralCharacters(*unicode)) {
      font.notes.Add("glyphs for more than one character, left out", element.line);
    }
    if (character == 0 || !seen.insert(character).second) continue;
    StrokeGlyph glyph;
    glyph.character = character;
    if (!Number(element.Attribute("horiz-adv-x"), glyph.advance)) {
      if (!fontHasAdvance) {
        return Refused("the glyph of " + CharacterName(character) + " has no advance, nor has its font");
      }
      glyph.advance = fontAdvance;
    }
    if (const std::string* d = element.Attribute("d")) {
      if (auto problem = ReadPathData(*d, em * kFlatnessPerEm, glyph.strokes)) {
        return Refused("the glyph of " + CharacterName(character) + ": " + *problem);
      }
    }
    for (const Stroke& stroke : glyph.strokes) vertices += stroke.vertices.size();
    if (vertices > kMostFontVertices) return Refused("the glyphs hold more than 4194304 points");
    font.glyphs.push_back(std::move(glyph));
  }
  if (font.glyphs.empty()) return Refused("the font holds no glyph of one character");

  // The capital height, measured.
  double cap = 0;
  for (char32_t capital : {U'H', U'E', U'A', U'I', U'T'}) {
    for (const StrokeGlyph& glyph : font.glyphs) {
      if (glyph.character == capital && !glyph.strokes.empty() && Top(glyph) > 0) cap = Top(glyph);
    }
    if (cap > 0) break;
  }
  if (cap <= 0) {
    for (const StrokeGlyph& glyph : font.glyphs) {
      if (glyph.character >= U'A' && glyph.character <= U'Z' && !glyph.strokes.empty()) cap = std::max(cap, Top(glyph));
    }
  }
  if (cap <= 0) cap = statedCap > 0 ? statedCap : em * 0.7;
  font.capHeight = cap;
  font.depth = descent;
  return font;
}

}  // namespace morlune::convert
