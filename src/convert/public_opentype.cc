// The OpenType export as the library offers it: the font's glyphs through
// the code map into the outline writer, its losses as data with their
// sentences, and the measured outline beside them.
#include <morlune/convert.h>

#include <cmath>
#include <string>
#include <utility>

#include "convert/code_map.h"
#include "convert/export/glyph_export.h"
#include "convert/export/shape_font_input.h"
#include "convert/loss_report.h"
#include "convert/public_losses.h"
#include "convert/opentype/opentype_writer.h"

namespace morlune {
namespace {

bool AboveZero(double value) { return std::isfinite(value) && value > 0; }

}  // namespace

bool OpenTypeAvailable() { return convert::OpenTypeWritable(); }

Result<OpenTypeFont> ToOpenType(const Font& font, const OpenTypeOptions& options) {
  if (!convert::OpenTypeWritable()) {
    return Error{ErrorKind::kNotAFont, "this build writes no OpenType (built without its libraries)", {}};
  }
  if (!AboveZero(options.penWidth)) return Error{ErrorKind::kBadArgument, "the pen's width must be above 0", {}};
  if (!AboveZero(options.tolerance)) return Error{ErrorKind::kBadArgument, "the tolerance must be above 0", {}};
  // As for the other exports: a font cut short gives what it holds, the
  // records past its end told as lost; one with nothing to give is refused.
  convert::FontHolding holding = convert::HoldingOf(font);
  if (!holding.indexRead) {
    return Error{ErrorKind::kNotAFont, "cannot be read as a shape font: its index is cut short or cannot be read", {}};
  }
  if (holding.glyphs == 0) {
    std::string why = holding.unreached == 0 ? ""
                                             : " (the file ends before the " + std::to_string(holding.unreached) +
                                                   (holding.unreached == 1 ? " record" : " records") +
                                                   " its index announces)";
    return Error{ErrorKind::kNotAFont, "holds no glyph to export" + why, {}};
  }
  std::string problem;
  std::optional<convert::CodeMap> codes = convert::CodeMap::For(font.variant(), options.encoding, problem);
  if (!codes) return Error{ErrorKind::kEncoding, "cannot map its codes to characters: " + problem, {}};
  convert::ShapeGlyphs glyphs(font, *codes, options.fallbackName);
  convert::OpenTypeOptions writing;
  writing.flavour = options.woff2 ? convert::OpenTypeFlavour::kWoff2 : convert::OpenTypeFlavour::kTrueType;
  writing.penWidth = options.penWidth;
  writing.penWidthPerCap = options.penWidthPerCap;
  writing.tolerance = options.tolerance;
  writing.tolerancePerCap = options.tolerancePerCap;
  writing.family = options.family;
  writing.created = options.created;
  convert::LossReport report;
  if (holding.unreached > 0) report.Add(LossKind::kRecordsUnreached, 0, static_cast<long long>(holding.unreached));
  convert::OpenTypeFile file = convert::WriteOpenType(glyphs, writing, report);
  if (file.bytes.empty()) return Error{ErrorKind::kNotAFont, "cannot be packed as WOFF2", {}};
  OpenTypeFont result;
  result.losses = LossesOf(report);
  result.glyphs = static_cast<long long>(file.glyphs);
  result.unitsPerFontUnit = file.scale;
  result.penWidth = file.penWidth;
  result.tolerance = file.tolerance;
  result.largestDeviation = file.largestDeviation;
  result.farthestCharacter = file.farthestCharacter;
  if (options.strict && (!result.losses.empty() || file.largestDeviation > file.tolerance)) {
    std::string message = "the format cannot carry everything:";
    for (const Loss& loss : result.losses) message += (&loss == &result.losses.front() ? " " : "; ") + loss.text;
    if (file.largestDeviation > file.tolerance) {
      message += std::string(result.losses.empty() ? " " : "; ") + "the outline strays " +
                 convert::AmountText(file.largestDeviation) + " units from the pen's, past the tolerance " +
                 convert::AmountText(file.tolerance);
    }
    return Error{ErrorKind::kLossy, message, {}};
  }
  result.bytes = std::move(file.bytes);
  return result;
}

}  // namespace morlune
