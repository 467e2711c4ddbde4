// The order of a run: options, the text's code page, the input read whole
// and opened as a font, the output opened only then, the drawing, and the
// output made final.
#include "tools/morlune-draw/draw_run.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <morlune/draw.h>
#include <morlune/font.h>
#include <morlune/text.h>

#include "tools/common/tool_exit_status.h"
#include "tools/common/tool_input.h"
#include "tools/common/tool_messages.h"
#include "tools/common/tool_output.h"
#include "tools/morlune-draw/draw_options.h"

namespace morlune {
namespace {

constexpr char kTool[] = "morlune-draw";

// Warnings as "morlune-draw: FONT: TEXT", within the tools' one limit of
// problems shown.
class ErrorLines {
 public:
  ErrorLines(ToolMessages& messages, std::string label) : messages_(messages), label_(std::move(label)) {}
  void Line(const std::string& text) { messages_.Problem(messages_.Program() + ": " + label_ + ": " + text); }

 private:
  ToolMessages& messages_;
  std::string label_;
};

class DrawRun {
 public:
  DrawRun(const ToolStreams& streams, ToolMessages& messages) : streams_(streams), messages_(messages) {}
  ExitStatus Run(int argc, const char* const* argv);

 private:
  ExitStatus Usage(const std::string& error) {
    messages_.CommandLineProblem(error);
    return ExitStatus::kUsage;
  }
  std::optional<Font> ReadFont(const char* path, const std::string& label);
  bool OpenBigfont(const Font& font);
  void Draw(const Font& font, ErrorLines& lines, TextOutput& out);
  ExitStatus Write(const Font& font, ErrorLines& lines);

  const ToolStreams& streams_;
  ToolMessages& messages_;
  DrawOptions options_;
  std::string text_;  // --text, in UTF-8
  std::string label_;
  std::optional<Font> bigfont_;  // --bigfont: the two-byte codes of --text
};

// A font from its path, or standard input for none: a compiled font, or
// source text compiled as morlune-compile compiles it, its problems shown
// as morlune-compile shows them.
std::optional<Font> DrawRun::ReadFont(const char* path, const std::string& label) {
  InputBytes input = ReadToolInput(path, streams_);
  if (input.error != 0) {
    messages_.Failure(label, InputFailure(input), input.error);
    return std::nullopt;
  }
  SourceProblems problems;
  Result<Font> font = Font::FromBytes(input.bytes, {}, problems);
  ShowSourceProblems(messages_, label, problems);
  if (!font && font.error().kind == ErrorKind::kNotAFont) messages_.Failure(label, "not a compiled shape font");
  if (!font) return std::nullopt;
  return std::move(font).value();
}

// The bigfont of --bigfont, which must be a bigfont beside a font that is
// none.
bool DrawRun::OpenBigfont(const Font& font) {
  const char* path = options_.bigfontPath;
  std::optional<Font> bigfont = ReadFont(path, path);
  if (!bigfont) return false;
  if (bigfont->variant() != Variant::kBigfont) {
    messages_.Failure(path, "refused as the bigfont", "it is no bigfont");
    return false;
  }
  if (font.variant() == Variant::kBigfont) {
    messages_.Failure(path, "refused as the bigfont", "FONT is a bigfont itself");
    return false;
  }
  bigfont_ = std::move(bigfont);
  return true;
}

// The pieces as the library writes them, its warnings as they come.
void DrawRun::Draw(const Font& font, ErrorLines& lines, TextOutput& out) {
  DrawingOptions drawing;
  drawing.form = options_.list ? DrawingForm::kListing : DrawingForm::kPicture;
  drawing.firstCode = options_.firstCode;
  drawing.lastCode = options_.lastCode;
  drawing.height = options_.height;
  drawing.label = label_;
  drawing.penWidth = options_.penWidth;
  drawing.penPerHeight = options_.penPerHeight;
  auto write = [&out](std::string_view piece) { out.Write(piece); };
  auto warn = [&lines](const TextWarning& warning) { lines.Line(warning.message); };
  if (options_.text != nullptr) {
    TextStyle style{font, bigfont_, 1, options_.widthFactor, options_.obliqueDegrees,
                    options_.encoding != nullptr ? options_.encoding : ""};
    Result<Point> end = DrawLineOfText(style, text_, drawing, write, warn);
    if (!end) lines.Line(end.error().message);
  } else {
    Result<long long> drawn = DrawFont(font, drawing, write, warn);
    if (!drawn) lines.Line(drawn.error().message);
  }
}

// The output goes to a file beside an -o file, which takes its name only
// when every byte is written.
ExitStatus DrawRun::Write(const Font& font, ErrorLines& lines) {
  bool written = WriteToolOutput(options_.outputPath, streams_, messages_, [&](TextOutput& out) {
    Draw(font, lines, out);
    messages_.CloseProblems();
  });
  return written ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
}

ExitStatus DrawRun::Run(int argc, const char* const* argv) {
  OptionScan scan = ScanDrawOptions(argc, argv, options_);
  if (std::optional<ExitStatus> end = EndOnVerdict(scan, kTool, DrawHelpText(), streams_, messages_)) return *end;
  if (options_.encoding != nullptr && !KnowsEncoding(options_.encoding)) {
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
    if (!IsUtf8Text(text_)) return Usage("--text is not valid UTF-8");
  }
  label_ = options_.fontPath != nullptr ? options_.fontPath : "<stdin>";

  // A picture written over its own font would lose the font for good.
  if (RefuseOutputOverInput(options_.outputPath, options_.fontPath, streams_, messages_)) return ExitStatus::kUsage;

  std::optional<Font> font = ReadFont(options_.fontPath, label_);
  if (!font || (options_.text != nullptr && options_.bigfontPath != nullptr && !OpenBigfont(*font))) {
    messages_.CloseProblems();
    return ExitStatus::kRefused;
  }
  ErrorLines lines(messages_, label_);
  DrawingGap gap = DrawingGapOf(*font);
  if (gap.kind == DrawingGapKind::kNoIndex) lines.Line(gap.message);
  bool textAsBytes = font->variant() == Variant::kBigfont || options_.bigfontPath != nullptr;
  if (textAsBytes && options_.text != nullptr && options_.encoding == nullptr &&
      std::any_of(text_.begin(), text_.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
    lines.Line("--text holds characters past ASCII and no --encoding names the font's code page: "
               "its UTF-8 bytes are taken as the font's codes");
  }
  if (gap.kind == DrawingGapKind::kUnreachable) lines.Line(gap.message);
  return Write(*font, lines);
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
