// Fuzz target: the drawing of a compiled font held in memory, with bounds
// small enough that every one of them is reached within a few thousand
// items (the tools keep the contract's; draw_tool_check.cc replays the
// corpus through morlune-draw itself). The low two bits of the first byte
// pick what is drawn besides the listing: nothing more, the specimen, a
// line of text set by the library, the specimen of a range of codes; the
// rest is the font.
//
// The listing must hold only numbers within 2^31; the pictures must be
// balanced SVG; the specimen must draw, glyph by glyph, what the listing
// draws.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include <morlune/font.h>
#include <morlune/text.h>

#include "drawing/drawing_font.h"
#include "drawing/listing_writer.h"
#include "drawing/specimen_writer.h"
#include "drawing/text_picture.h"
#include "fontfile/signature.h"
#include "fuzz/path_compare.h"
#include "platform/byte_input.h"

namespace {

using morlune::fuzzing::IsBalancedSvg;

// Every bound within reach: a run of at least 2,000 items, 500 a character.
constexpr morlune::DrawLimits kFuzzLimits{16, 500, 1, 2000};

class NoMessages : public morlune::DrawMessages {
 public:
  void ShapeWarning(int, const std::string&) override {}
  void FontWarning(const std::string&) override {}
};

std::string Written(const std::function<void(morlune::TextOutput&)>& write) {
  std::string text;
  morlune::TextOutput out;
  out.AttachCapture(&text);
  write(out);
  out.Finish();
  return text;
}

bool Finite(morlune::Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

void Check(bool holds) {
  if (!holds) std::abort();
}

// Line i of the listing and glyph i of the specimen are the same record's.
void CheckSpecimenDrawsTheListing(const std::string& listing, const std::string& svg) {
  std::vector<morlune::fuzzing::SpecimenGlyph> glyphs = morlune::fuzzing::SpecimenGlyphs(svg);
  std::size_t at = 0;
  for (const morlune::fuzzing::SpecimenGlyph& glyph : glyphs) {
    std::size_t end = listing.find('\n', at);
    Check(end != std::string::npos);
    Check(morlune::fuzzing::SamePaths(std::string_view(listing).substr(at, end - at), glyph));
    at = end + 1;
  }
  Check(at == listing.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  int mode = data[0] & 3;
  morlune::ByteInput input;
  input.AttachMemory(data + 1, size - 1);
  std::optional<morlune::Variant> identified = morlune::IdentifyShapeFile(input);
  if (!identified) return 0;
  morlune::Variant kind = *identified;
  morlune::DrawingFont font(data + 1, size - 1, kind,
                            morlune::WalkFontRecords(data + 1, size - 1, static_cast<std::size_t>(input.Tell()), kind));
  NoMessages messages;
  morlune::PictureOptions picture;
  picture.limits = kFuzzLimits;
  picture.fileLabel = "font";
  morlune::CodeRange all;
  std::string listing = Written([&](morlune::TextOutput& out) {
    morlune::WriteFontListing(font, all, out, messages, kFuzzLimits);
  });
  Check(morlune::fuzzing::IsBoundedListing(listing));
  if (mode == 1) {
    std::string svg = Written([&](morlune::TextOutput& out) { morlune::WriteSpecimen(font, all, picture, out, messages); });
    Check(IsBalancedSvg(svg));
    CheckSpecimenDrawsTheListing(listing, svg);
  } else if (mode == 2) {
    // A line of text through the library, oblique and stretched.
    morlune::Result<morlune::Font> library = morlune::Font::FromBytes(std::span(data + 1, size - 1));
    if (!library) return 0;
    morlune::TextStyle style{*library, std::nullopt, 7.5, 1.5, 20, ""};
    morlune::Result<morlune::TextLayout> line = morlune::LayOutText(style, "A0 \xC3\xA9\xE4\xBA\x9C", kFuzzLimits);
    if (!line) return 0;
    for (const morlune::Path& path : line->paths) {
      Check(Finite(path.start));
      for (const morlune::Segment& segment : path.segments) {
        std::visit([](const auto& piece) { Check(Finite(piece.from) && Finite(piece.to)); }, segment);
      }
    }
    morlune::TextPicture text;
    text.Add({0, 0}, line->advance, line->paths);
    Check(IsBalancedSvg(Written([&](morlune::TextOutput& out) { text.Write(font, picture, out); })));
  } else if (mode == 3) {
    morlune::CodeRange some{0x30, 0x5A};
    Check(IsBalancedSvg(Written([&](morlune::TextOutput& out) {
      morlune::WriteSpecimen(font, some, picture, out, messages);
    })));
  }
  return 0;
}
