// The order of a run: options, the text's code page, the input read whole
// and recognised, the walk of its records, the output opened only then,
// the drawing, and the output made final.
#include "draw_driver/draw_run.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include <morlune/font.h>

#include "api/text_setting.h"
#include "draw_driver/draw_exit_status.h"
#include "draw_driver/draw_options.h"
#include "draw_driver/font_input.h"
#include "drawing/draw_warnings.h"
#include "drawing/drawing_font.h"
#include "drawing/listing_writer.h"
#include "drawing/specimen_writer.h"
#include "drawing/text_codes.h"
#include "drawing/text_picture.h"
#include "fontfile/signature.h"
#include "platform/code_page.h"
#include "platform/pending_file.h"
#include "platform/text_output.h"

#ifndef MORLUNE_VERSION
#define MORLUNE_VERSION "unknown"
#endif

namespace morlune {
namespace {

constexpr char kTool[] = "morlune-draw: ";

// Warnings as "morlune-draw: FONT: shape CODE: TEXT".
class ErrorLines : public DrawMessages {
 public:
  ErrorLines(TextOutput& errors, std::string label) : errors_(errors), label_(std::move(label)) {}
  void ShapeWarning(int code, const std::string& text) override { Line("shape " + CodeText(code) + ": " + text); }
  void FontWarning(const std::string& text) override { Line(text); }
  void Line(const std::string& text) {
    errors_.Write(kTool);
    errors_.Write(label_);
    errors_.Write(": ");
    errors_.Write(text);
    errors_.Put('\n');
  }

 private:
  TextOutput& errors_;
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
  DrawRun(const ToolStreams& streams, TextOutput& errors) : streams_(streams), errors_(errors) {}
  int Run(int argc, const char* const* argv);

 private:
  int Usage(const std::string& error) {
    errors_.Write(std::string(kTool) + error + "\nTry 'morlune-draw --help' for more information.\n");
    return kDrawExitUsage;
  }
  int Say(const char* text);
  bool ReadInput(std::vector<unsigned char>& bytes);
  bool OpenTextFonts(const std::vector<unsigned char>& bytes);
  void DrawText(DrawingFont& font, ErrorLines& lines, TextOutput& out);
  void Draw(DrawingFont& font, ErrorLines& lines, TextOutput& out);
  int Write(DrawingFont& font, ErrorLines& lines);

  const ToolStreams& streams_;
  TextOutput& errors_;
  DrawOptions options_;
  CodePageConverter codePage_;
  std::string text_;  // --text, in UTF-8
  std::vector<char32_t> characters_;
  std::string label_;
  std::optional<Font> textFont_;  // --text: the font, and the bigfont beside it
  std::optional<Font> bigfont_;
};

// Text on standard output: the help and the version.
int DrawRun::Say(const char* text) {
  TextOutput out;
  AttachToolStream(out, streams_.outputFd, streams_.outputCapture);
  out.Write(text);
  out.Finish();
  if (!out.Failed()) return kDrawExitDone;
  errors_.Write(std::string(kTool) + "<stdout>: " + WriteErrorText(out.FailureErrno()) + "\n");
  return kDrawExitOutputNotWritten;
}

bool DrawRun::ReadInput(std::vector<unsigned char>& bytes) {
  InputBytes input;
  if (options_.fontPath != nullptr) {
    errno = 0;
    int fd = OpenForReading(options_.fontPath);
    if (fd < 0) {
      // A folder opens, then is refused with no error number of its own.
      int error = errno != 0 ? errno : EISDIR;
      errors_.Write(std::string(kTool) + label_ + ": cannot open: " + std::strerror(error) + "\n");
      return false;
    }
    input = ReadAllFrom(fd);
    CloseFd(fd);
  } else if (streams_.inputData != nullptr) {
    input.bytes.assign(streams_.inputData, streams_.inputData + streams_.inputSize);
  } else {
    UseUntranslatedBytes(streams_.inputFd);
    input = ReadAllFrom(streams_.inputFd);
  }
  if (input.error != 0) {
    errors_.Write(std::string(kTool) + label_ + ": cannot read: " + std::strerror(input.error) + "\n");
    return false;
  }
  FontFromInput font = CompiledFontBytes(std::move(input.bytes));
  // The problems of source text as morlune-compile shows them.
  for (const Diagnostic& problem : font.problems.Kept()) {
    errors_.Write(label_);
    errors_.Put(':');
    errors_.Write(std::to_string(problem.line));
    errors_.Put(':');
    errors_.Write(std::to_string(problem.column));
    errors_.Write(problem.isError ? ": error: " : ": warning: ");
    errors_.Write(problem.message);
    errors_.Put('\n');
  }
  if (font.problems.NotKept() > 0) {
    errors_.Write(std::string(kTool) + label_ + ": " + std::to_string(font.problems.NotKept()) +
                  " more problems not shown\n");
  }
  if (font.problems.HasErrors()) return false;
  bytes = std::move(font.bytes);
  return true;
}

// --text: the font as the library opens it, and the bigfont of --bigfont,
// which must be a bigfont beside a font that is none.
bool DrawRun::OpenTextFonts(const std::vector<unsigned char>& bytes) {
  textFont_ = Font::FromBytes(bytes).value();
  if (options_.bigfontPath == nullptr) return true;
  Result<Font> bigfont = Font::Open(options_.bigfontPath);
  if (!bigfont) {
    errors_.Write(std::string(kTool) + bigfont.error().message + "\n");
    return false;
  }
  const char* refused = nullptr;
  if (bigfont->variant() != Variant::kBigfont) {
    refused = ": not a bigfont\n";
  } else if (textFont_->variant() == Variant::kBigfont) {
    refused = ": a bigfont stands beside a shapes font or a unifont, not beside another bigfont\n";
  }
  if (refused != nullptr) {
    errors_.Write(std::string(kTool) + options_.bigfontPath + refused);
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
  if (!options_.list) writer.Picture().Write(font, PictureOptions{options_.height, label_}, out);
}

void DrawRun::Draw(DrawingFont& font, ErrorLines& lines, TextOutput& out) {
  PictureOptions picture{options_.height, label_};
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
int DrawRun::Write(DrawingFont& font, ErrorLines& lines) {
  TextOutput out;
  PendingFile file;
  std::string outputLabel = "<stdout>";
  if (options_.outputPath != nullptr) {
    outputLabel = options_.outputPath;
    if (int error = OpenPendingFile(options_.outputPath, file); error != 0) {
      errors_.Write(std::string(kTool) + outputLabel + ": cannot create: " + std::strerror(error) + "\n");
      return kDrawExitOutputNotWritten;
    }
    out.AttachFd(file.fd, true);
  } else {
    if (streams_.outputCapture == nullptr && streams_.outputFd >= 0) UseUntranslatedBytes(streams_.outputFd);
    AttachToolStream(out, streams_.outputFd, streams_.outputCapture);
  }
  Draw(font, lines, out);
  out.Finish();
  int error = out.Failed() ? out.FailureErrno() : 0;
  if (error != 0) {
    DiscardPendingFile(file);
  } else if (options_.outputPath != nullptr) {
    error = CommitPendingFile(file, options_.outputPath);
  }
  if (error == 0) return kDrawExitDone;
  errors_.Write(std::string(kTool) + outputLabel + ": " + WriteErrorText(error) + "\n");
  return kDrawExitOutputNotWritten;
}

int DrawRun::Run(int argc, const char* const* argv) {
  OptionScan scan = ScanDrawOptions(argc, argv, options_);
  switch (scan.verdict) {
    case OptionVerdict::kHelp:
      return Say(DrawHelpText());
    case OptionVerdict::kVersion:
      return Say("morlune-draw " MORLUNE_VERSION "\n");
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

  std::vector<unsigned char> bytes;
  if (!ReadInput(bytes)) return kDrawExitNoFont;
  ByteInput input;
  input.AttachMemory(bytes.data(), bytes.size());
  ShapeFileKind kind = IdentifyShapeFile(input);
  if (kind == ShapeFileKind::kUnknown) {
    errors_.Write(std::string(kTool) + label_ + ": not a compiled shape font\n");
    return kDrawExitNoFont;
  }
  if (options_.text != nullptr && !OpenTextFonts(bytes)) return kDrawExitNoFont;
  FontWalk walk = WalkFontRecords(bytes.data(), bytes.size(), static_cast<std::size_t>(input.Tell()), kind);
  ErrorLines lines(errors_, label_);
  if (const char* trouble = HeadTrouble(walk.head)) lines.FontWarning(trouble);
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
  errors.SetCrLfLineEnds(TextLineEndIsCrLf());
  AttachToolStream(errors, streams.errorFd, streams.errorCapture);
  int status = DrawRun(streams, errors).Run(argc, argv);
  errors.Flush();
  return status;
}

}  // namespace morlune
