// The raw module's fonts: opened and compiled, their records, header
// values, source text, glyphs and listing, and text set in a style.
// morlune.js makes plain objects and exceptions of what the raw module
// gives; the converter and the checker have files of their own.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <emscripten/bind.h>
#include <morlune/morlune.h>

#include "web/font_handle.h"
#include "web/js_values.h"

namespace morlune::web {
namespace {

// The compile options as the wrapper passes them, or why they are wrong.
std::optional<CompileOptions> OptionsOf(const std::string& variant, bool dropDefaultNames, bool takeCounted,
                                        val& error) {
  CompileOptions options{.variant = std::nullopt, .dropDefaultNames = dropDefaultNames, .takeCounted = takeCounted};
  if (!VariantOption(variant, options.variant)) {
    error = ErrorValue("badArgument", "unknown variant '" + variant + "': give shapes10, shapes11, bigfont or unifont");
    return std::nullopt;
  }
  return options;
}

val FontValue(Font font) {
  val result = val::object();
  result.set("font", std::make_shared<FontHandle>(FontHandle{std::move(font)}));
  return result;
}

// A compiled font, or source text compiled first.
val OpenFont(const std::string& bytes, const std::string& variant, bool dropDefaultNames, bool takeCounted) {
  val error = val::undefined();
  std::optional<CompileOptions> options = OptionsOf(variant, dropDefaultNames, takeCounted, error);
  if (!options) return error;
  Result<Font> font = Font::FromBytes(ByteSpan(bytes), *options);
  if (!font) return ErrorValue(font.error());
  return FontValue(std::move(*font));
}

val CompiledValue(Result<std::vector<Byte>>&& compiled, const std::vector<Diagnostic>& warnings) {
  if (!compiled) return ErrorValue(compiled.error());
  val result = val::object();
  result.set("bytes", BytesValue(*compiled));
  result.set("warnings", DiagnosticsValue(warnings));
  return result;
}

val CompileText(const std::string& source, const std::string& variant, bool dropDefaultNames, bool takeCounted) {
  val error = val::undefined();
  std::optional<CompileOptions> options = OptionsOf(variant, dropDefaultNames, takeCounted, error);
  if (!options) return error;
  std::vector<Diagnostic> warnings;
  return CompiledValue(Compile(source, *options, &warnings), warnings);
}

std::string KindOf(const FontHandle& handle) { return std::string(VariantName(handle.font.variant())); }

val BytesOf(const FontHandle& handle) { return BytesValue(handle.font.bytes()); }

// Per record: code, name offset and length, data offset and length (into
// the font's bytes), and 1 where it has a default name.
val RecordTable(const FontHandle& handle) {
  const Byte* base = handle.font.bytes().data();
  auto offset = [base](std::span<const Byte> part) {
    return part.empty() ? 0u : static_cast<std::uint32_t>(part.data() - base);
  };
  std::vector<std::uint32_t> table;
  table.reserve(handle.font.records().size() * 6);
  for (const Record& record : handle.font.records()) {
    table.insert(table.end(), {record.code, offset(record.name), static_cast<std::uint32_t>(record.name.size()),
                               offset(record.data), static_cast<std::uint32_t>(record.data.size()),
                               record.defaultName ? 1u : 0u});
  }
  return CountsValue(table);
}

// The default names of the records that have one, in order, each ended by
// a line feed (no name holds one).
std::string DefaultNames(const FontHandle& handle) {
  std::string names;
  for (const Record& record : handle.font.records()) {
    if (record.defaultName) names.append(*record.defaultName).push_back('\n');
  }
  return names;
}

val HeaderOf(const FontHandle& handle) {
  const FontHeader& header = handle.font.header();
  val result = val::object();
  result.set("present", header.present);
  result.set("height", header.height);
  result.set("depth", header.depth);
  result.set("modes", header.modes);
  return result;
}

val EscapeRangesOf(const FontHandle& handle) {
  std::vector<Byte> ends;
  for (const EscapeRange& range : handle.font.escapeRanges()) ends.insert(ends.end(), {range.first, range.last});
  return BytesValue(ends);
}

val DiagnosticsOf(const FontHandle& handle) { return DiagnosticsValue(handle.font.compileDiagnostics()); }

int IndexOf(const FontHandle& handle, std::uint32_t code) {
  const Record* record = handle.font.Find(code);
  return record == nullptr ? -1 : static_cast<int>(record - handle.font.records().data());
}

val Decompile(const FontHandle& handle, bool decimal, bool escaped) {
  Decompiled decompiled = handle.font.Decompile({.decimal = decimal, .escaped = escaped});
  val result = val::object();
  result.set("bytes", BytesValue(decompiled.text));
  result.set("notices", StringsValue(decompiled.notices));
  return result;
}

val CompileBack(const FontHandle& handle, const std::string& variant, bool dropDefaultNames, bool takeCounted) {
  val error = val::undefined();
  std::optional<CompileOptions> options = OptionsOf(variant, dropDefaultNames, takeCounted, error);
  if (!options) return error;
  return CompiledValue(handle.font.CompileBack(*options), {});
}

const char* WarningWord(GlyphWarningKind kind) {
  switch (kind) {
    case GlyphWarningKind::kCutShort: return "cutShort";
    case GlyphWarningKind::kZeroScale: return "zeroScale";
    case GlyphWarningKind::kStackFull: return "stackFull";
    case GlyphWarningKind::kStackEmpty: return "stackEmpty";
    case GlyphWarningKind::kNoHeight: return "noHeight";
    case GlyphWarningKind::kSubshapeZero: return "subshapeZero";
    case GlyphWarningKind::kNoSuchShape: return "noSuchShape";
    case GlyphWarningKind::kAlreadyDrawn: return "alreadyDrawn";
    case GlyphWarningKind::kTooDeep: return "tooDeep";
    case GlyphWarningKind::kTooManyItems: return "tooManyItems";
    case GlyphWarningKind::kScaleBound: return "scaleBound";
    case GlyphWarningKind::kPositionBound: return "positionBound";
    case GlyphWarningKind::kRunSpent: return "runSpent";
    case GlyphWarningKind::kFileEnds: return "fileEnds";
  }
  return "unknown";
}

// {geometry: [advance x, advance y, packed paths], warnings, items}.
val GlyphOf(const FontHandle& handle, std::uint32_t code) {
  Result<Glyph> glyph = handle.font.GlyphOf(code);
  if (!glyph) return ErrorValue(glyph.error());
  std::vector<double> numbers{glyph->advance.x, glyph->advance.y};
  PackPaths(glyph->paths, numbers);
  val warnings = val::array();
  for (const GlyphWarning& warning : glyph->warnings) {
    val item = val::object();
    item.set("kind", std::string(WarningWord(warning.kind)));
    item.set("code", static_cast<double>(warning.code));
    item.set("count", static_cast<double>(warning.count));
    item.set("message", warning.message);
    warnings.call<void>("push", item);
  }
  val result = val::object();
  result.set("geometry", NumbersValue(numbers));
  result.set("warnings", warnings);
  result.set("items", static_cast<double>(glyph->items));
  return result;
}

// One glyph's path data as the listing writes it: a string, or an error
// object for a code no record has.
val GlyphSvgPath(const FontHandle& handle, std::uint32_t code) {
  Result<Glyph> glyph = handle.font.GlyphOf(code);
  if (!glyph) return ErrorValue(glyph.error());
  return val(PathData(glyph->paths));
}

std::string Listing(const FontHandle& handle) { return handle.font.Listing(); }

// Text set in a style: {glyphs: [code, from bigfont, origin x, origin y]
// each, geometry: [advance x, advance y, bounds empty, min x, min y, max
// x, max y, packed paths], missing: code points, warnings, svgPath}.
val LayOut(const std::string& text, const FontHandle& font, const val& bigfont, double height, double widthFactor,
           double oblique, const std::string& encoding) {
  TextStyle style{.font = font.font,
                  .bigfont = std::nullopt,
                  .height = height,
                  .widthFactor = widthFactor,
                  .obliqueDegrees = oblique,
                  .encoding = encoding};
  if (!bigfont.isNull() && !bigfont.isUndefined()) style.bigfont = bigfont.as<std::shared_ptr<FontHandle>>()->font;
  Result<TextLayout> layout = LayOutText(style, text);
  if (!layout) return ErrorValue(layout.error());
  std::vector<double> placed;
  for (const PlacedGlyph& glyph : layout->glyphs) {
    placed.insert(placed.end(), {static_cast<double>(glyph.code), glyph.fromBigfont ? 1.0 : 0.0, glyph.origin.x,
                                 glyph.origin.y});
  }
  const Box& box = layout->bounds;
  std::vector<double> numbers{layout->advance.x, layout->advance.y, box.empty ? 1.0 : 0.0,
                              box.min.x,         box.min.y,         box.max.x,
                              box.max.y};
  PackPaths(layout->paths, numbers);
  std::vector<std::uint32_t> missing(layout->missing.begin(), layout->missing.end());
  val result = val::object();
  result.set("glyphs", NumbersValue(placed));
  result.set("geometry", NumbersValue(numbers));
  result.set("missing", CountsValue(missing));
  std::vector<std::string> warnings;
  for (const TextWarning& warning : layout->warnings) warnings.push_back(warning.message);
  result.set("warnings", StringsValue(warnings));
  result.set("svgPath", PathData(layout->paths));
  return result;
}

}  // namespace
}  // namespace morlune::web

EMSCRIPTEN_BINDINGS(morlune_public) {
  using namespace morlune::web;
  emscripten::class_<FontHandle>("FontHandle")
      .smart_ptr<std::shared_ptr<FontHandle>>("FontHandlePtr")
      .function("kind", &KindOf)
      .function("bytes", &BytesOf)
      .function("recordTable", &RecordTable)
      .function("defaultNames", &DefaultNames)
      .function("header", &HeaderOf)
      .function("escapeRanges", &EscapeRangesOf)
      .function("diagnostics", &DiagnosticsOf)
      .function("indexOf", &IndexOf)
      .function("decompile", &Decompile)
      .function("compileBack", &CompileBack)
      .function("glyph", &GlyphOf)
      .function("glyphSvgPath", &GlyphSvgPath)
      .function("listing", &Listing);
  emscripten::function("openFont", &OpenFont);
  emscripten::function("compile", &CompileText);
  emscripten::function("layoutText", &LayOut);
}
