// The interchange formats by name: the writer and the reader of each.
#pragma once

#include <string>
#include <string_view>

#include <morlune/result.h>

#include "convert/formats.h"
#include "convert/glyph_font.h"
#include "convert/loss_report.h"
#include "convert/stroke_font.h"
#include "platform/held_text.h"
#include "platform/text_output.h"

namespace morlune::convert {

// baseName: the output file's name without folder or extension (an SVG
// font's reader finds the font by it). holding: where text that must wait
// for what comes before it waits (an LFF's glyphs, for its header).
void WriteInterchangeFont(FileFormat format, GlyphSource& font, const std::string& baseName, LossReport& losses,
                          TextOutput& out, const TextHolding& holding = {});

// fallbackName: the font's name where the file gives none.
Result<StrokeFont> ReadInterchangeFont(FileFormat format, std::string_view text, const std::string& fallbackName);

}  // namespace morlune::convert
