// The order of a run: options, the text's code page, the input read whole
// and recognised, the walk of its records, the output opened only then,
// the drawing, and the output made final.
#include "tools/morlune-draw/draw_run.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include <morlune/font.h>

#include <morlune/version.h>

#include "api/text_setting.h"
#include "tools/morlune-draw/draw_options.h"
#include "tools/morlune-draw/font_input.h"
#include "drawing/draw_warnings.h"
#include "drawing/drawing_font.h"
#include "drawing/listing_writer.h"
#include "drawing/specimen_writer.h"
#include "drawing/text_codes.h"
#include "drawing/text_picture.h"
#include "fontfile/signature.h"
#include "platform/code_page.h"
#include "platform/text_output.h"
#include "tools/common/tool_exit_status.h"
#include "tools/common/tool_input.h"
#include "platform/tool_messages.h"
#include "tools/common/tool_output.h"
#include "source/problem_lines.h"

namespace morlune {
namespace {

constexpr char kTool[] = "morlune-draw";

// Warnings as "morlune-draw: FONT: shape CODE: TEXT", within the tools' one
// limit of problems shown.
class ErrorLines : public DrawMessages {
 public:
  ErrorLines(ToolMessages& messages, std::string label) : messages_(messages), label_(std::move(label)) {}
  void ShapeWarning(int code, const std::string& text) override { Line("shape " + CodeHex(code) + ": " + text); }
  void FontWarning(const std::string& text) override { Line(text); }
  void Line(const std::string& text) { messages_.Problem(messages_.Program() + ": " + label_ + ": " + text); }

 private:
  ToolMessages& messages_;
  std::string label_;
};

const char* HeadTrouble(HeadResult head) {
  switch (head) {
    case HeadResult::kNoShapeIndex:
      return "the shape index cannot be read; no shape is drawn";
    case HeadResult::kNoHashTable:
      return "the bigfont index cannot be read; no shape is drawn";
    case HeadResult::kBadEntrySize:
      return "the bigfont index entries are not 8 bytes long; no shape is drawn";
    default:
      return nullptr;
  }
}

class DrawRun {
 public:
  DrawRun(const ToolStreams& streams, ToolMessages& messages) : streams_(streams), messages_(messages) {}
  ExitStatus Run(int argc, const char* const* argv);

 private:
  ExitStatus Usage(const std::string& error) {
    messages_.CommandLineProblem(error);
    return ExitStatus::kUsage;
  }
  // Text on standard output: the help and the version.
  ExitStatus Say(const char* text) {
    return SayOnToolOutput(streams_, messages_, text) ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
  }
  bool ReadInput(const char* path, const std::string& label, std::vector<unsigned char>& bytes);
  bool OpenTextFonts(const std::vector<unsigned char>& bytes);
  void DrawText(DrawingFont& font, ErrorLines& lines, TextOutput& out);
  void Draw(DrawingFont& font, ErrorLines& lines, TextOutput& out);
  ExitStatus Write(DrawingFont& font, ErrorLines& lines);

  const ToolStreams& streams_;
  ToolMessages& messages_;
  DrawOptions options_;
  CodePageConverter codePage_;
  std::string text_;  // --text, in UTF-8
  std::vector<char32_t> characters_;
  std::string label_;
  std::optional<Font> textFont_;  // --text: the font, and the bigfont beside it
  std::optional<Font> bigfont_;
};

// A font from its path, or standard input for none.
bool DrawRun::ReadInput(const char* path, const std::string& label, std::vector<unsigned char>& bytes) {
  InputBytes input = ReadToolInput(path, streams_);
  if (input.error != 0) {
    messages_.Failure(label, InputFailure(input), input.error);
    return false;
  }
  FontFromInput font = CompiledFontBytes(std::move(input.bytes));
  // The problems of source text as morlune-compile shows them.
  ShowSourceProblems(messages_, label, font.problems);
  if (font.problems.HasErrors()) return false;
  bytes = std::move(font.bytes);
  return true;
}

// --text: the font as the library opens it, and the bigfont of --bigfont,
// which must be a bigfont beside a font that is none.
bool DrawRun::OpenTextFonts(const std::vector<unsigned char>& bytes) {
  textFont_ = Font::FromBytes(bytes).value();
  if (options_.bigfontPath == nullptr) return true;
  const char* path = options_.bigfontPath;
  std::vector<unsigned char> bigfontBytes;
  if (!ReadInput(path, path, bigfontBytes)) return false;
  Result<Font> bigfont = Font::FromBytes(bigfontBytes);
  if (!bigfont) {
    messages_.Failure(path, "not a compiled shape font");
    return false;
  }
  if (bigfont->variant() != Variant::kBigfont) {
    messages_.Failure(path, "refused as the bigfont", "it is no bigfont");
    return false;
  }
  if (textFont_->variant() == Variant::kBigfont) {
    messages_.Failure(path, "refused as the bigfont", "FONT is a bigfont itself");
    return false;
  }
  bigfont_ = std::move(bigfont).value();
  return true;
}

namespace {

// The glyphs of the line as they are set: listing lines, or the picture's
// glyphs. The characters left out are told among the warnings.
class TextWriter : public GlyphsInText {
 public:
  TextWriter(bool list, TextOutput& out) : list_(list), out_(out) {}
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

// The line is set in the font's own units: a height of the font's height
// above the baseline (1 where it has none) scales the font by 1.
void DrawRun::DrawText(DrawingFont& font, ErrorLines& lines, TextOutput& out) {
  TextStyle style{*textFont_, bigfont_, static_cast<double>(font.Height() > 0 ? font.Height() : 1),
                  options_.widthFactor, options_.obliqueDegrees,
                  options_.encoding != nullptr ? options_.encoding : ""};
  TextWriter writer(options_.list, out);
  Result<TextEnd> end = SetText(style, text_, DrawLimits{}, writer, lines);
  if (!end) {
    lines.FontWarning(end.error().message);
    return;
  }
  if (!options_.list) writer.Picture().Write(font, PictureOptions{options_.height, label_, {}, options_.penWidth, options_.penPerHeight}, out);
}

void DrawRun::Draw(DrawingFont& font, ErrorLines& lines, TextOutput& out) {
  PictureOptions picture{options_.height, label_, {}, options_.penWidth, options_.penPerHeight};
  if (options_.text != nullptr) {
    DrawText(font, lines, out);
  } else if (options_.list) {
    WriteFontListing(font, options_.codes, out, lines);
  } else {
    WriteSpecimen(font, options_.codes, picture, out, lines);
  }
}

// The output goes to a file beside an -o file, which takes its name only
// when every byte is written.
ExitStatus DrawRun::Write(DrawingFont& font, ErrorLines& lines) {
  bool written = WriteToolOutput(options_.outputPath, streams_, messages_, [&](TextOutput& out) {
    Draw(font, lines, out);
    messages_.CloseProblems();
  });
  return written ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
}

ExitStatus DrawRun::Run(int argc, const char* const* argv) {
  OptionScan scan = ScanDrawOptions(argc, argv, options_);
  switch (scan.verdict) {
    case OptionVerdict::kHelp:
      return Say(DrawHelpText());
    case OptionVerdict::kVersion:
      return Say("morlune-draw " MORLUNE_VERSION_STRING "\n");
    case OptionVerdict::kUsageError:
      return Usage(scan.error);
    case OptionVerdict::kRun:
      break;
  }
  if (options_.encoding != nullptr && !codePage_.Open(options_.encoding)) {
    return Usage("the system knows no code page '" + std::string(options_.encoding) + "'");
  }
  if (options_.text != nullptr) {
    const std::vector<std::string>* utf8 = streams_.utf8Arguments;
    const std::string* wide = nullptr;
    if (utf8 != nullptr && utf8->size() == static_cast<std::size_t>(argc)) {
      wide = &(*utf8)[static_cast<std::size_t>(options_.textArgument)];
    }
    if (wide != nullptr && wide->size() >= options_.textOffset) {
      text_ = wide->substr(options_.textOffset);
    } else {
      text_ = options_.text;
    }
    if (!DecodeUtf8(text_, characters_)) return Usage("--text is not valid UTF-8");
  }
  label_ = options_.fontPath != nullptr ? options_.fontPath : "<stdin>";

  // A picture written over its own font would lose the font for good.
  if (RefuseOutputOverInput(options_.outputPath, options_.fontPath, streams_, messages_)) return ExitStatus::kUsage;

  std::vector<unsigned char> bytes;
  if (!ReadInput(options_.fontPath, label_, bytes)) {
    messages_.CloseProblems();
    return ExitStatus::kRefused;
  }
  ByteInput input;
  input.AttachMemory(bytes.data(), bytes.size());
  std::optional<Variant> identified = IdentifyShapeFile(input);
  if (!identified) {
    messages_.Failure(label_, "not a compiled shape font");
    return ExitStatus::kRefused;
  }
  Variant kind = *identified;
  if (options_.text != nullptr && !OpenTextFonts(bytes)) {
    messages_.CloseProblems();
    return ExitStatus::kRefused;
  }
  FontWalk walk = WalkFontRecords(bytes.data(), bytes.size(), static_cast<std::size_t>(input.Tell()), kind);
  ErrorLines lines(messages_, label_);
  if (const char* trouble = HeadTrouble(walk.head)) lines.FontWarning(trouble);
  bool textAsBytes = kind == Variant::kBigfont || options_.bigfontPath != nullptr;
  if (textAsBytes && options_.text != nullptr && options_.encoding == nullptr &&
      std::any_of(text_.begin(), text_.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
    lines.FontWarning("--text holds characters past ASCII and no --encoding names the font's code page: "
                      "its UTF-8 bytes are taken as the font's codes");
  }
  if (walk.end == RecordStep::kSeekError) {
    lines.FontWarning("a bigfont record lies where the file cannot be positioned; it and the records after it "
                      "are not drawn");
  }
  DrawingFont font(bytes.data(), bytes.size(), kind, std::move(walk));
  return Write(font, lines);
}

}  // namespace

int RunMorluneDraw(int argc, const char* const* argv, const ToolStreams& streams) {
  TextOutput errors;
  AttachToolErrors(errors, streams);
  ToolMessages messages(kTool, errors);
  ExitStatus status = DrawRun(streams, messages).Run(argc, argv);
  errors.Flush();
  return ExitNumber(status);
}

}  // namespace morlune
