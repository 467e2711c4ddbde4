// What the public library does not give the converter: the items that
// apply to vertical text only, which the drawing passes over, and glyph
// after glyph drawn into paths kept from one to the next. Public types
// here, so that the converter's files see those alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include <morlune/font.h>
#include <morlune/geometry.h>

#include "convert/glyph_font.h"

namespace morlune::convert::bridge {

// Code 14 items among the record's whole items.
long long VerticalItems(std::span<const Byte> data, Variant variant);

struct DrawnGlyph {
  Point advance;
  std::span<const Path> paths;  // valid until the next Draw
  bool cut = false;             // the drawing skipped a part or stopped
};

// Draws as Font::GlyphOf does (each glyph a run of its own, the default
// limits), without a new set of paths for every glyph.
class GlyphDrawer {
 public:
  explicit GlyphDrawer(const Font& font);
  ~GlyphDrawer();
  GlyphDrawer(const GlyphDrawer&) = delete;
  GlyphDrawer& operator=(const GlyphDrawer&) = delete;

  // The first record of the code; nothing drawn where there is none.
  DrawnGlyph Draw(std::uint32_t code);
  // The same, its segments handed to the sink as drawn (paths left empty).
  DrawnGlyph DrawInto(std::uint32_t code, GeometrySink& sink);

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace morlune::convert::bridge
