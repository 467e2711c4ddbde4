// A font's specimen or listing, and a line of text as a picture or a
// listing: the drawing's writers over the opened font's lookup, their text
// handed to the caller piece by piece and their warnings as data.
#include <morlune/draw.h>

#include <algorithm>
#include <optional>
#include <span>
#include <utility>

#include "api/font_state.h"
#include "api/text_setting.h"
#include "drawing/listing_writer.h"
#include "drawing/path_text.h"
#include "drawing/specimen_writer.h"
#include "drawing/text_picture.h"
#include "platform/text_output.h"

namespace morlune {
namespace {

constexpr double kLargestHeight = 1000;
constexpr double kLargestPen = 65536;

Error BadArgument(std::string message) { return Error{ErrorKind::kBadArgument, std::move(message), {}}; }

std::optional<Error> CheckOptions(const DrawingOptions& options) {
  if (!(options.height > 0 && options.height <= kLargestHeight)) {
    return BadArgument("the picture's height must be above 0 and at most 1000 units");
  }
  double largestPen = options.penPerHeight ? 1 : kLargestPen;
  if (!(options.penWidth >= 0 && options.penWidth <= largestPen)) {
    return BadArgument(options.penPerHeight ? "the pen's width must be a share of the height from 0 to 1"
                                            : "the pen's width must lie from 0 to 65536 font units");
  }
  if (options.firstCode > options.lastCode) return BadArgument("the first code of the range passes the last");
  return std::nullopt;
}

PictureOptions PictureOf(const DrawingOptions& options) {
  return PictureOptions{options.height, options.label, options.limits, options.penWidth, options.penPerHeight};
}

// The writers' text to the caller's function, or nowhere without one.
class Output {
 public:
  explicit Output(const DrawingWrite& write) {
    if (write) {
      out_.AttachSink(write);
    } else {
      out_.AttachNothing();
    }
  }
  ~Output() { out_.Flush(); }
  TextOutput& Text() { return out_; }

 private:
  TextOutput out_;
};

class Warnings : public WarningsAsData {
 public:
  explicit Warnings(const DrawingWarn& warn) : warn_(warn) {}
  void Warned(const TextWarning& warning) override {
    if (warn_) warn_(warning);
  }

 private:
  const DrawingWarn& warn_;
};

// The glyphs of the line as they are set: listing lines, or the picture's
// glyphs. The characters left out are told among the warnings.
class LineGlyphs : public GlyphsInText {
 public:
  LineGlyphs(bool list, TextOutput& out) : list_(list), out_(out) {}
  void Glyph(const GlyphInText& glyph) override {
    if (list_) {
      listing_.Write(static_cast<int>(glyph.code), glyph.advance, glyph.paths, out_);
    } else {
      picture_.Add(glyph.origin, glyph.advance, glyph.paths);
    }
  }
  void Missing(char32_t) override {}
  const TextPicture& Picture() const { return picture_; }

 private:
  bool list_;
  TextOutput& out_;
  ListingLines listing_;
  TextPicture picture_;
};

}  // namespace

Result<long long> DrawFont(const Font& font, const DrawingOptions& options, const DrawingWrite& write,
                           const DrawingWarn& warn) {
  if (std::optional<Error> error = CheckOptions(options)) return *error;
  DrawingFont drawing(*FontAccess::Of(font).lookup);
  // Codes past 16 bits name no record: a range of them holds none.
  CodeRange codes{1, 0};
  if (options.firstCode <= 0xFFFF) {
    codes = {static_cast<std::uint16_t>(options.firstCode),
             static_cast<std::uint16_t>(std::min<std::uint32_t>(options.lastCode, 0xFFFF))};
  }
  Output out(write);
  Warnings warnings(warn);
  if (options.form == DrawingForm::kListing) {
    WriteFontListing(drawing, codes, out.Text(), warnings, options.limits);
  } else {
    WriteSpecimen(drawing, codes, PictureOf(options), out.Text(), warnings);
  }
  return static_cast<long long>(DrawnRecords(drawing, codes).size());
}

Result<Point> DrawLineOfText(const TextStyle& style, std::string_view text, const DrawingOptions& options,
                             const DrawingWrite& write, const DrawingWarn& warn) {
  if (std::optional<Error> error = CheckOptions(options)) return *error;
  DrawingFont drawing(*FontAccess::Of(style.font).lookup);
  // The line in the font's own units: its height above the baseline (1
  // where it has none) scales it by 1.
  TextStyle own = style;
  own.height = drawing.Height() > 0 ? drawing.Height() : 1;
  Output out(write);
  Warnings warnings(warn);
  LineGlyphs glyphs(options.form == DrawingForm::kListing, out.Text());
  Result<TextEnd> end = SetText(own, text, options.limits, glyphs, warnings);
  if (!end) return end.error();
  if (options.form == DrawingForm::kPicture) glyphs.Picture().Write(drawing, PictureOf(options), out.Text());
  return end->advance;
}

DrawingGap DrawingGapOf(const Font& font) {
  const FontWalk& walk = FontAccess::Of(font).lookup->walk;
  switch (walk.head) {
    case HeadResult::kNoShapeIndex:
      return {DrawingGapKind::kNoIndex, "the shape index cannot be read; no shape is drawn"};
    case HeadResult::kNoHashTable:
      return {DrawingGapKind::kNoIndex, "the bigfont index cannot be read; no shape is drawn"};
    case HeadResult::kBadEntrySize:
      return {DrawingGapKind::kNoIndex, "the bigfont index entries are not 8 bytes long; no shape is drawn"};
    case HeadResult::kReady:
      break;
  }
  if (walk.end == RecordStep::kSeekError) {
    return {DrawingGapKind::kUnreachable,
            "a bigfont record lies where the file cannot be positioned; it and the records after it are not drawn"};
  }
  return {};
}

std::string PathData(const std::vector<Path>& paths) {
  PathText text;
  text.Write(paths);
  return std::string(text.Text());
}

}  // namespace morlune
