// Reading a stroke font of any interchange format: its reader by name.
#include "convert/interchange_io.h"

#include "convert/jhf/jhf_reader.h"
#include "convert/jhf/jhf_writer.h"
#include "convert/lff/lff_reader.h"
#include "convert/lff/lff_writer.h"
#include "convert/svg/svg_font_reader.h"
#include "convert/svg/svg_font_writer.h"

namespace morlune::convert {

void WriteInterchangeFont(FileFormat format, GlyphSource& font, const std::string& baseName, LossReport& losses,
                          TextOutput& out, const TextHolding& holding) {
  switch (format) {
    case FileFormat::kSvg: return WriteSvgFont(font, baseName, losses, out);
    case FileFormat::kJhf: return WriteJhf(font, losses, out);
    case FileFormat::kLff: return WriteLff(font, losses, out, holding);
    default: return;
  }
}

Result<StrokeFont> ReadInterchangeFont(FileFormat format, std::string_view text, const std::string& fallbackName) {
  switch (format) {
    case FileFormat::kSvg: return ReadSvgFont(text, fallbackName);
    case FileFormat::kJhf: return ReadJhf(text, fallbackName);
    case FileFormat::kLff: return ReadLff(text, fallbackName);
    default: return Error{ErrorKind::kBadArgument, "not an interchange format", {}};
  }
}

}  // namespace morlune::convert
