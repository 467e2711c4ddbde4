// A glyph as data and the font's listing: each a run of the drawing over
// the font's lookup, with the caller's limits; the warnings the tool would
// tell become the glyph's data.
#include <morlune/font.h>

#include <string>

#include "api/font_state.h"
#include "drawing/draw_session.h"
#include "drawing/glyph_builder.h"
#include "drawing/listing_writer.h"
#include "platform/hex_code.h"
#include "platform/text_output.h"

namespace morlune {
namespace {

class NoMessages : public DrawMessages {
 public:
  void ShapeWarning(int, const std::string&) override {}
  void FontWarning(const std::string&) override {}
};

}  // namespace

Result<Glyph> Font::GlyphOf(std::uint32_t code, const DrawLimits& limits) const {
  const Record* found = Find(code);
  if (found == nullptr) {
    // A code past 16 bits is told whole, not as the shape it would wrap to.
    return Error{ErrorKind::kNoSuchCode, "the font has no shape " + CodeHex(code), {}};
  }
  int record = static_cast<int>(found - state_->records.data());
  DrawingFont font(*state_->lookup);
  DrawSession session(font, nullptr, limits);
  GlyphBuilder builder;
  Glyph glyph;
  glyph.code = code;
  glyph.advance = session.Draw(record, builder);
  glyph.paths = builder.TakePaths();
  glyph.items = session.Budget().total - session.Budget().itemsLeft;
  for (const WarningTally::Entry& entry : session.Warnings().Entries()) {
    glyph.warnings.push_back({entry.warning, static_cast<std::uint32_t>(entry.code), entry.count,
                              TalliedWarningText(entry, session.Budget())});
  }
  if (session.SpentTheRun()) {
    glyph.warnings.push_back({GlyphWarningKind::kRunSpent, code, 1,
                              DrawWarningText(DrawWarning::kRunSpent, static_cast<int>(code), session.Budget())});
  }
  return glyph;
}

std::string Font::Listing(const DrawLimits& limits) const {
  std::string listing;
  TextOutput output;
  output.AttachCapture(&listing);
  DrawingFont font(*state_->lookup);
  NoMessages quiet;
  WriteFontListing(font, CodeRange{}, output, quiet, limits);
  output.Flush();
  return listing;
}

}  // namespace morlune
