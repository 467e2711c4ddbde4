// Text in a style: the characters to codes as the fonts number them, every
// character that cannot be drawn told first, then each glyph drawn in its
// font's units and carried into drawing units by one map: its font's scale
// (the height over the font's own height above the baseline), x times the
// width factor, and the oblique shear x += y tan(angle) of the whole line.
#include "api/text_setting.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "api/font_state.h"
#include "drawing/draw_limits.h"
#include "drawing/draw_session.h"
#include "drawing/draw_warnings.h"
#include "drawing/glyph_builder.h"
#include "drawing/text_codes.h"
#include "platform/code_page.h"

namespace morlune {
namespace {

// A warning of the text itself, not of a glyph's drawing.
TextWarning Told(TextWarningKind kind, std::uint32_t code, char32_t character, std::string message) {
  TextWarning warning;
  warning.kind = kind;
  warning.code = code;
  warning.character = character;
  warning.message = std::move(message);
  return warning;
}

constexpr double kLargestOblique = 85;  // degrees either way, as drafting programs allow

// Font units to drawing units about the glyph's origin.
struct GlyphMap {
  double scaleX = 1;  // the font's scale times the width factor
  double scaleY = 1;  // the font's scale
  double shear = 0;   // tan of the oblique angle

  Point Apply(Point p) const {
    // No shear adds nothing, not even a zero that would turn -0 into 0.
    if (shear == 0) return {scaleX * p.x, scaleY * p.y};
    return {scaleX * p.x + shear * scaleY * p.y, scaleY * p.y};
  }
  Point Shear(Point p) const { return shear == 0 ? p : Point{p.x + shear * p.y, p.y}; }
};

// The glyph's kept paths carried into drawing units, in the room of the
// last glyph's.
void MapPaths(std::span<const Path> paths, const GlyphMap& map, std::vector<Path>& mapped) {
  mapped.resize(paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    mapped[i].start = map.Apply(paths[i].start);
    std::vector<Segment>& segments = mapped[i].segments;
    segments.clear();
    for (const Segment& segment : paths[i].segments) {
      if (const LineSegment* line = std::get_if<LineSegment>(&segment)) {
        segments.emplace_back(LineSegment{map.Apply(line->from), map.Apply(line->to)});
      } else {
        ArcSegment arc = *std::get_if<ArcSegment>(&segment);
        arc.from = map.Apply(arc.from);
        arc.to = map.Apply(arc.to);
        arc.centre = map.Apply(arc.centre);
        arc.axisX *= map.scaleX;
        arc.axisY *= map.scaleY;
        arc.shear = map.shear;
        segments.emplace_back(arc);
      }
    }
  }
}

// One font of the style, drawn through one session for the whole text.
struct FontInText {
  explicit FontInText(const FontState& fontState, const TextStyle& style, const DrawLimits& limits,
                      DrawMessages& messages)
      : state(fontState), drawing(*fontState.lookup), session(drawing, &messages, limits) {
    // A font without a height of its own counts one unit per height.
    int own = fontState.header.height > 0 ? fontState.header.height : 1;
    double scale = style.height / own;
    map = {scale * style.widthFactor, scale, std::tan(style.obliqueDegrees * std::numbers::pi / 180)};
    if (style.obliqueDegrees == 0) map.shear = 0;
  }
  const FontState& state;
  DrawingFont drawing;
  DrawSession session;
  GlyphMap map;
};

Error BadArgument(std::string message) { return Error{ErrorKind::kBadArgument, std::move(message), {}}; }

std::optional<Error> CheckStyle(const TextStyle& style) {
  if (!(style.height > 0) || !std::isfinite(style.height)) return BadArgument("the height must be above 0");
  if (!(style.widthFactor > 0) || !std::isfinite(style.widthFactor)) {
    return BadArgument("the width factor must be above 0");
  }
  if (!(std::fabs(style.obliqueDegrees) <= kLargestOblique)) {
    return BadArgument("the oblique angle must lie from -85 to 85 degrees");
  }
  if (style.bigfont) {
    if (style.bigfont->variant() != Variant::kBigfont) return BadArgument("the bigfont of the style is no bigfont");
    if (style.font.variant() == Variant::kBigfont) {
      return BadArgument("a bigfont stands beside a shapes font or a unifont, not beside another bigfont");
    }
  }
  return std::nullopt;
}

}  // namespace

TextWarning GlyphTextWarning(int shape, const GlyphWarning& warning) {
  TextWarning told = Told(TextWarningKind::kGlyph, static_cast<std::uint32_t>(shape), 0,
                          "shape " + CodeHex(shape) + ": " + warning.message);
  told.glyph = warning;
  return told;
}

Result<TextEnd> SetText(const TextStyle& style, std::string_view text, const DrawLimits& limits,
                        GlyphsInText& glyphs, DrawMessages& messages) {
  if (std::optional<Error> error = CheckStyle(style)) return *error;
  std::vector<char32_t> characters;
  if (!DecodeUtf8(text, characters)) {
    return Error{ErrorKind::kEncoding, "the text is not valid UTF-8 (or holds U+0000)", {}};
  }
  CodePageConverter codePage;
  CodePageWriter toCodePage;
  if (!style.encoding.empty()) {
    if (!codePage.Open(style.encoding)) {
      return Error{ErrorKind::kEncoding, "the system knows no code page '" + style.encoding + "'", {}};
    }
    toCodePage = [&codePage](char32_t character, std::string& bytes) { return codePage.Convert(character, bytes); };
  }
  FontInText font(FontAccess::Of(style.font), style, limits, messages);
  std::unique_ptr<FontInText> bigfont;
  if (style.bigfont) bigfont = std::make_unique<FontInText>(FontAccess::Of(*style.bigfont), style, limits, messages);

  // What each character is drawn with; those that are not are told once.
  std::set<char32_t> missing;
  auto leaveOut = [&](char32_t character) {
    if (missing.insert(character).second) glyphs.Missing(character);
  };
  TextNumbering numbering{font.state.kind, nullptr, bigfont != nullptr};
  if (bigfont) {
    numbering.escapes = &bigfont->state.lookup->walk.escapeRanges;
  } else if (font.state.kind == Variant::kBigfont) {
    numbering.escapes = &font.state.lookup->walk.escapeRanges;
  }
  std::set<char32_t> toldCharacters;
  std::vector<TextCode> codes =
      TextCodes(characters, numbering, toCodePage, [&](char32_t character, const std::string& why) {
        if (toldCharacters.insert(character).second) {
          messages.TextWarned(Told(TextWarningKind::kNotWritable, 0, character,
                               "character " + CharacterName(character) + ": " + why + "; it is left out"));
        }
        leaveOut(character);
      });
  struct Drawn {
    FontInText* font;
    int record;
    TextCode code;
  };
  std::vector<Drawn> drawn;
  std::set<std::pair<bool, std::uint16_t>> toldCodes;
  for (const TextCode& code : codes) {
    FontInText* from = code.fromBigfont ? bigfont.get() : &font;
    int record = code.code == 0 ? -1 : from->drawing.FindRecord(code.code);
    if (record >= 0) {
      drawn.push_back({from, record, code});
      continue;
    }
    if (toldCodes.insert({code.fromBigfont, code.code}).second) {
      messages.TextWarned(Told(TextWarningKind::kNoSuchShape, code.code, 0,
                           "shape " + CodeHex(code.code) + ": the font has no such shape; the character is left out"));
    }
    leaveOut(characters[code.character]);
  }

  GlyphBuilder builder;
  std::vector<Path> mapped;
  Point pen;  // unsheared, in drawing units
  for (const Drawn& glyph : drawn) {
    builder.Clear();
    Point advance = glyph.font->session.Draw(glyph.record, builder);
    const GlyphMap& map = glyph.font->map;
    MapPaths(builder.Paths(), map, mapped);
    Point moved{map.scaleX * advance.x, map.scaleY * advance.y};
    glyphs.Glyph({glyph.code.code, glyph.code.fromBigfont, map.Shear(pen), map.Shear(moved), mapped});
    pen = {pen.x + moved.x, pen.y + moved.y};
    if (!(std::fabs(pen.x) <= kMaxMagnitude && std::fabs(pen.y) <= kMaxMagnitude)) {
      messages.TextWarned(Told(TextWarningKind::kLinePastBound, glyph.code.code, 0,
                           "the line passes 2^31 units after shape " + CodeHex(glyph.code.code) +
                               "; the characters after it are left out"));
      break;
    }
  }
  return TextEnd{font.map.Shear(pen)};
}

}  // namespace morlune
