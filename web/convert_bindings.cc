// The raw module's converter: fonts of the interchange formats made shape
// fonts, and shape fonts written in those formats, as morlune-convert
// carries them. morlune.js has already sorted out the formats that are no
// conversion (kqx and kqs) and the options it can judge alone.
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <emscripten/bind.h>
#include <morlune/compile.h>
#include <morlune/convert.h>

#include "web/font_handle.h"
#include "web/js_values.h"

namespace morlune::web {
namespace {

std::optional<FontFormat> InterchangeFormat(const std::string& name) {
  std::optional<FontFormat> format = FontFormatFromName(name);
  if (format == FontFormat::kSvg || format == FontFormat::kJhf || format == FontFormat::kLff) return format;
  return std::nullopt;
}

// A font of an interchange format made a shape font: its source text and
// compiled font, and how well the grid holds its strokes.
val ImportInterchangeFont(const std::string& bytes, const std::string& from, int heightUnits, double tolerance,
                          bool tolerancePerCap, const std::string& variantName, const std::string& encoding,
                          const std::string& fallbackName) {
  std::optional<FontFormat> format = InterchangeFormat(from);
  if (!format) return ErrorValue("badArgument", "unknown format '" + from + "': give svg, jhf or lff");
  if (heightUnits < 0 || heightUnits > 255) {
    return ErrorValue("badArgument", "the height in font units is 1 to 255 (0: the smallest within the tolerance)");
  }
  if (!std::isfinite(tolerance) || tolerance <= 0) {
    return ErrorValue("badArgument", "the tolerance is a number above 0");
  }
  ImportOptions options;
  // An import writes shapes 1.1, a unifont or a bigfont.
  if (!VariantOption(variantName, options.variant) || options.variant == Variant::kShapes10) {
    return ErrorValue("badArgument", "unknown variant '" + variantName + "' (shapes11, unifont or bigfont)");
  }
  options.format = *format;
  options.name = fallbackName;
  options.heightUnits = heightUnits;
  options.tolerance = tolerance;
  options.tolerancePerCap = tolerancePerCap;
  options.encoding = encoding;
  Result<ImportedFont> imported = morlune::ImportFont(ByteSpan(bytes), options);
  // The library's words say which step refused, the reading or the
  // placing ("cannot be read as svg: ...", "cannot be made a shape font: ...").
  if (!imported) return ErrorValue(imported.error());
  std::string variant(VariantName(imported->font.variant()));
  val result = val::object();
  result.set("font", std::make_shared<FontHandle>(FontHandle{std::move(imported->font)}));
  result.set("variant", variant);
  result.set("source", BytesValue(imported->sourceText));
  result.set("heightUnits", imported->heightUnits);
  result.set("tolerance", imported->tolerance);
  result.set("largestError", imported->largestError);
  result.set("largestErrorCharacter", static_cast<double>(imported->largestErrorCharacter));
  result.set("glyphs", static_cast<double>(imported->glyphs));
  result.set("charactersLeftOut", static_cast<double>(imported->charactersLeftOut));
  return result;
}

// A shape font written in an interchange format, with a line for each
// kind of thing the format could not carry.
val ExportInterchangeFont(const FontHandle& handle, const std::string& to, const std::string& encoding,
                          const std::string& name) {
  std::optional<FontFormat> format = InterchangeFormat(to);
  if (!format) return ErrorValue("badArgument", "unknown format '" + to + "': give svg, jhf or lff");
  ExportOptions options;
  options.format = *format;
  options.encoding = encoding;
  options.name = name;
  Result<ExportedFont> exported = morlune::ExportFont(handle.font, options);
  if (!exported) {
    // A font with nothing to export was opened all the same, cut short: to
    // the module's callers it is a font that cannot be read.
    const Error& error = exported.error();
    if (error.kind == ErrorKind::kNotAFont) return ErrorValue("unreadable", error.message);
    return ErrorValue(error);
  }
  std::vector<std::string> losses;
  for (const Loss& loss : exported->losses) losses.push_back(loss.text);
  val result = val::object();
  result.set("bytes", BytesValue(exported->bytes));
  result.set("losses", StringsValue(losses));
  return result;
}

}  // namespace
}  // namespace morlune::web

EMSCRIPTEN_BINDINGS(morlune_convert) {
  emscripten::function("importFont", &morlune::web::ImportInterchangeFont);
  emscripten::function("exportFont", &morlune::web::ExportInterchangeFont);
}
