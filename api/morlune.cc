// The library's entry points: thin over the font reader and the writers.
#include "api/morlune.h"

#include "drawing/draw_warnings.h"
#include "drawing/drawing_font.h"
#include "drawing/listing_writer.h"
#include "fontfile/record_walk.h"
#include "fontfile/signature.h"

namespace morlune {

namespace {

// Recognises the font's variant, leaving the input right behind its
// signature.
ShapeFileKind Recognise(std::span<const unsigned char> font, ByteInput& input) {
  input.AttachMemory(font.data(), font.size());
  return IdentifyShapeFile(input);
}

}  // namespace

std::optional<FontView> ReadFont(std::span<const unsigned char> font) {
  ByteInput input;
  FontView view;
  view.kind = Recognise(font, input);
  if (view.kind == ShapeFileKind::kUnknown) return std::nullopt;
  FontWalk walk = WalkFontRecords(font.data(), font.size(), static_cast<std::size_t>(input.Tell()), view.kind);
  for (const WalkedRecord& record : walk.records) {
    view.records.push_back({record.code,
                            std::string_view(reinterpret_cast<const char*>(font.data()) + record.nameOffset,
                                             record.nameLength),
                            font.subspan(record.specOffset, record.specSize)});
  }
  return view;
}

Decompiled Decompile(std::span<const unsigned char> font, const SourceTextOptions& options) {
  Decompiled result;
  ByteInput input;
  ShapeFileKind kind = Recognise(font, input);
  result.recognised = kind != ShapeFileKind::kUnknown;
  if (!result.recognised) return result;
  TextOutput output;
  output.AttachCapture(&result.text);
  FontReader reader(input, kind);
  SourceWriter writer(output);
  result.end = WriteFontSource(reader, writer, options);
  output.Flush();
  return result;
}

namespace {

// Keeps the drawing's warnings as lines of text.
class WarningList : public DrawMessages {
 public:
  explicit WarningList(std::vector<std::string>& lines) : lines_(lines) {}
  void ShapeWarning(int code, const std::string& text) override {
    lines_.push_back("shape " + CodeText(code) + ": " + text);
  }
  void FontWarning(const std::string& text) override { lines_.push_back(text); }

 private:
  std::vector<std::string>& lines_;
};

}  // namespace

Drawn DrawListing(std::span<const unsigned char> font) {
  Drawn result;
  ByteInput input;
  ShapeFileKind kind = Recognise(font, input);
  result.recognised = kind != ShapeFileKind::kUnknown;
  if (!result.recognised) return result;
  FontWalk walk = WalkFontRecords(font.data(), font.size(), static_cast<std::size_t>(input.Tell()), kind);
  DrawingFont drawing(font.data(), font.size(), kind, std::move(walk));
  TextOutput output;
  output.AttachCapture(&result.listing);
  WarningList warnings(result.warnings);
  WriteFontListing(drawing, CodeRange{}, output, warnings);
  output.Flush();
  return result;
}

}  // namespace morlune
