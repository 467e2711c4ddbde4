// The order of one run: command line, formats, input read whole, then the
// font converted into the output, which takes the output file's name only
// once whole (an export's glyphs go out as they are drawn; an import is
// made and measured whole first).
#include "tools/morlune-convert/run_convert.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <morlune/convert.h>
#include <morlune/font.h>
#include <morlune/version.h>

#include "tools/common/tool_input.h"
#include "tools/common/tool_output.h"
#include "tools/morlune-convert/convert_command.h"
#include "tools/common/tool_exit_status.h"

namespace morlune::convert {
namespace {

constexpr std::string_view kToolName = "morlune-convert";
constexpr std::string_view kStdinName = "<stdin>";
// No font of any of the formats comes near this; a bigger input is refused
// before it can take the machine's memory.
constexpr std::size_t kLargestInput = std::size_t{256} << 20;

// "morlune-convert: FILE: TEXT" lines through the tools' one writer of them.
class Messages {
 public:
  explicit Messages(ToolMessages& tool) : tool_(tool) {}
  void About(std::string_view file, std::string_view text) { tool_.Failure(file, text, std::string_view()); }
  void About(std::string_view file, std::string_view what, int errorNumber) {
    if (errorNumber > 0) {
      tool_.Failure(file, what, errorNumber);
    } else {
      tool_.Failure(file, what, std::string_view("not a readable file"));
    }
  }
  // A source text's problem, placed as morlune-compile places it.
  void SourceProblem(std::string_view file, const Diagnostic& problem) {
    tool_.Problem(std::string(file) + ":" + DiagnosticLine(problem));
  }
  ToolMessages& Tool() { return tool_; }

 private:
  ToolMessages& tool_;
};

std::string BaseName(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::size_t dot = base.rfind('.');
  if (dot != std::string_view::npos && dot > 0) base = base.substr(0, dot);
  return std::string(base);
}

// Text that must wait goes beside the -o file, on a disk that can take
// the output; for standard output, to the system's temporary folder.
std::string ScratchFolder(const ConvertCommand& command) {
  if (command.outputPath == "-") return "";
  std::size_t slash = command.outputPath.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  return command.outputPath.substr(0, slash == 0 ? 1 : slash);
}

// The formats that hold shapes as the compiler's records.
bool IsShapeFormat(FontFormat format) { return format == FontFormat::kCompiled || format == FontFormat::kSource; }

const char* OutputPath(const ConvertCommand& command) {
  return command.outputPath == "-" ? nullptr : command.outputPath.c_str();
}

// The font is drawn glyph by glyph into the output (an LFF's glyphs wait
// for its header), its losses told once all is written; with --strict a
// loss drops what was written.
ExitStatus Export(const ConvertCommand& command, FontFormat to, std::vector<Byte>& bytes, std::string_view inputName,
           const ToolStreams& streams, Messages& messages) {
  Result<Font> font = Font::FromBytes(bytes);
  // The font keeps its own copy.
  std::vector<Byte>().swap(bytes);
  if (!font) {
    for (const Diagnostic& problem : font.error().diagnostics) messages.SourceProblem(inputName, problem);
    messages.Tool().CloseProblems();
    messages.About(inputName, "cannot be read as a shape font: " + font.error().message);
    return ExitStatus::kRefused;
  }
  ExportOptions options;
  options.format = to;
  options.encoding = command.encoding;
  options.name = command.outputPath == "-" ? BaseName(command.inputPath) : BaseName(command.outputPath);
  options.scratchFolder = ScratchFolder(command);
  // A font with nothing to export is refused as content; a code page that
  // cannot serve as the command line's fault.
  if (std::optional<Error> refused = ExportRefusal(*font, options)) {
    messages.About(inputName, refused->message);
    return refused->kind == ErrorKind::kNotAFont ? ExitStatus::kRefused : ExitStatus::kUsage;
  }
  auto write = [&](TextOutput& out) {
    Result<std::vector<Loss>> losses = ExportFont(*font, options, [&out](std::string_view piece) { out.Write(piece); });
    if (!losses) {
      // The glyphs that waited for the header could not be held or read
      // back: the output is cut short, as a refused write would leave it.
      out.Fail(EIO);
      return true;
    }
    for (const Loss& loss : *losses) {
      messages.About(inputName, "lost on the way to " + std::string(FontFormatName(to)) + ": " + loss.text);
    }
    if (command.strict && !losses->empty()) {
      messages.About(inputName, "not written: --strict and the format cannot carry everything");
      return false;
    }
    return true;
  };
  bool dropped = false;
  const char* path = OutputPath(command);
  bool written = command.strict ? WriteToolOutputUnlessDropped(path, streams, messages.Tool(), write, dropped)
                                : WriteToolOutput(path, streams, messages.Tool(), [&](TextOutput& out) { write(out); });
  if (dropped) return ExitStatus::kRefused;
  return written ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
}

bool IsOpenType(FontFormat format) { return format == FontFormat::kTrueType || format == FontFormat::kWoff2; }

// A measure of the outline in the output's units: two decimals at most.
std::string UnitsText(double units) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", units);
  std::string shown(text);
  while (shown.back() == '0') shown.pop_back();
  if (shown.back() == '.') shown.pop_back();
  return shown;
}

// The date a reproducible build asks for, where it asks: seconds since
// 1970 in SOURCE_DATE_EPOCH; otherwise 1970 itself, so that the same font
// gives the same bytes.
std::int64_t CreationDate() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch == nullptr || *epoch == '\0') return 0;
  char* end = nullptr;
  errno = 0;
  long long seconds = std::strtoll(epoch, &end, 10);
  if (errno != 0 || *end != '\0' || seconds < 0) return 0;
  return seconds;
}

// The font an outline font is made from: a shape font as it is, an
// interchange font imported first (its account told as an import's).
std::optional<Font> SourceFont(const ConvertCommand& command, FontFormat from, std::vector<Byte>& bytes,
                               std::string_view inputName, Messages& messages, ExitStatus& status) {
  if (IsShapeFormat(from)) {
    Result<Font> font = Font::FromBytes(bytes);
    std::vector<Byte>().swap(bytes);
    if (font) return std::move(*font);
    for (const Diagnostic& problem : font.error().diagnostics) messages.SourceProblem(inputName, problem);
    messages.Tool().CloseProblems();
    messages.About(inputName, "cannot be read as a shape font: " + font.error().message);
    status = ExitStatus::kRefused;
    return std::nullopt;
  }
  ImportOptions options;
  options.format = from;
  options.name = BaseName(command.inputPath == "-" ? command.outputPath : command.inputPath);
  options.encoding = command.encoding;
  Result<ImportedFont> imported = ImportFont(bytes, options);
  if (!imported) {
    for (const Diagnostic& problem : imported.error().diagnostics) {
      messages.SourceProblem("<imported source text>", problem);
    }
    messages.Tool().CloseProblems();
    bool badOption = imported.error().kind == ErrorKind::kEncoding || imported.error().kind == ErrorKind::kBadArgument;
    messages.About(inputName, imported.error().message);
    status = badOption ? ExitStatus::kUsage : ExitStatus::kRefused;
    return std::nullopt;
  }
  for (const std::string& line : imported->report) messages.About(inputName, line);
  return std::move(imported->font);
}

// The outline font is made whole in memory, its losses and its measure
// told, and then written in one piece; with --strict a loss, or an outline
// past the tolerance, writes nothing.
ExitStatus ExportOpenType(const ConvertCommand& command, FontFormat from, FontFormat to, std::vector<Byte>& bytes,
                   std::string_view inputName, const ToolStreams& streams, Messages& messages) {
  ExitStatus status = ExitStatus::kRefused;
  std::optional<Font> font = SourceFont(command, from, bytes, inputName, messages, status);
  if (!font) return status;
  OpenTypeOptions options;
  options.woff2 = to == FontFormat::kWoff2;
  options.encoding = command.encoding;
  options.family = command.family;
  options.fallbackName = command.outputPath == "-" ? BaseName(command.inputPath) : BaseName(command.outputPath);
  options.penWidth = command.penWidth;
  options.penWidthPerCap = command.penWidthPerCap;
  if (command.toleranceGiven) {
    options.tolerance = command.tolerance;
    options.tolerancePerCap = command.tolerancePerCap;
  }
  options.created = CreationDate();
  Result<OpenTypeFont> outline = ToOpenType(*font, options);
  if (!outline) {
    messages.About(inputName, outline.error().message);
    return outline.error().kind == ErrorKind::kEncoding ? ExitStatus::kUsage : ExitStatus::kRefused;
  }
  std::string formatName(FontFormatName(to));
  for (const Loss& loss : outline->losses) messages.About(inputName, "lost on the way to " + formatName + ": " + loss.text);
  messages.About(inputName, std::to_string(outline->glyphs) + " glyphs, " + std::to_string(outline->bytes.size()) +
                                " bytes; outline within " + UnitsText(outline->largestDeviation) +
                                " units of the pen's (tolerance " + UnitsText(outline->tolerance) + ", pen " +
                                UnitsText(outline->penWidth) + ")");
  if (command.strict && (!outline->losses.empty() || outline->largestDeviation > outline->tolerance)) {
    messages.About(inputName, "not written: --strict and the format cannot carry everything");
    return ExitStatus::kRefused;
  }
  bool written = WriteToolOutput(OutputPath(command), streams, messages.Tool(), [&](TextOutput& out) {
    out.Write(std::string_view(reinterpret_cast<const char*>(outline->bytes.data()), outline->bytes.size()));
  });
  return written ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
}

ExitStatus Import(const ConvertCommand& command, FontFormat from, FontFormat to, const std::vector<Byte>& bytes,
           std::string_view inputName, const ToolStreams& streams, Messages& messages) {
  ImportOptions options;
  options.format = from;
  options.name = command.inputPath == "-" ? BaseName(command.outputPath) : BaseName(command.inputPath);
  options.heightUnits = command.heightUnits;
  options.tolerance = command.tolerance;
  options.tolerancePerCap = command.tolerancePerCap;
  options.variant = command.variant;
  options.encoding = command.encoding;
  options.strict = command.strict;
  std::vector<std::string> notes;
  Result<ImportedFont> imported = ImportFont(bytes, options, &notes);
  for (const std::string& line : notes) messages.About(inputName, line);
  if (!imported) {
    const Error& error = imported.error();
    for (const Diagnostic& problem : error.diagnostics) messages.SourceProblem("<imported source text>", problem);
    messages.Tool().CloseProblems();
    bool badOption = error.kind == ErrorKind::kEncoding || error.kind == ErrorKind::kBadArgument;
    messages.About(inputName, error.message);
    return badOption ? ExitStatus::kUsage : ExitStatus::kRefused;
  }
  for (const std::string& line : imported->report) messages.About(inputName, line);
  bool written = WriteToolOutput(OutputPath(command), streams, messages.Tool(), [&](TextOutput& out) {
    if (to == FontFormat::kSource) {
      out.Write(imported->sourceText);
    } else {
      std::span<const Byte> compiled = imported->font.bytes();
      out.Write(std::string_view(reinterpret_cast<const char*>(compiled.data()), compiled.size()));
    }
  });
  return written ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
}

ExitStatus Run(int argc, const char* const* argv, const ToolStreams& streams, TextOutput& errors) {
  ToolMessages tool(kToolName, errors);
  Messages messages(tool);
  ConvertCommand command = ParseConvertCommand(argc, argv);
  if (command.problem.empty() && !command.help && !command.version) {
    if (!command.from) command.from = FontFormatOfPath(command.inputPath);
    if (!command.to) command.to = FontFormatOfPath(command.outputPath);
    if (!command.from) {
      command.problem = "the format of '" + command.inputPath + "' is not known: name it with --from";
    } else if (!command.to) {
      command.problem = "the format of '" + command.outputPath + "' is not known: name it with --to";
    } else if (IsOpenType(*command.from)) {
      command.problem = "cannot read " + std::string(FontFormatName(*command.from)) + ": it is an export format";
    } else if (IsOpenType(*command.to)) {
      if (!OpenTypeAvailable()) command.problem = "this build writes no OpenType (built without its libraries)";
    } else if (IsShapeFormat(*command.from) == IsShapeFormat(*command.to)) {
      command.problem = "one side must be a shape font (kqx, kqs) and the other an interchange font (svg, jhf, lff)";
    }
  }
  if (!command.problem.empty()) {
    messages.Tool().CommandLineProblem(command.problem);
    return ExitStatus::kUsage;
  }
  if (command.help || command.version) {
    std::string text =
        command.help ? std::string(kConvertUsage) : std::string(kToolName) + " " + kVersion + "\n";
    return SayOnToolOutput(streams, tool, text, true) ? ExitStatus::kDone : ExitStatus::kOutputNotWritten;
  }

  // Writing over the very file read would lose the font for good.
  bool standardInput = command.inputPath == "-" && streams.inputData == nullptr;
  if (RefuseOutputOverInput(command.outputPath == "-" ? nullptr : command.outputPath.c_str(),
                            standardInput ? nullptr : command.inputPath.c_str(), streams, tool)) {
    return ExitStatus::kUsage;
  }
  std::string_view inputName = command.inputPath == "-" ? kStdinName : std::string_view(command.inputPath);
  InputBytes input = ReadToolInput(command.inputPath == "-" ? nullptr : command.inputPath.c_str(), streams,
                                   kLargestInput);
  if (input.tooLarge) {
    messages.About(inputName, "cannot read: larger than 256 MiB");
    return ExitStatus::kUsage;
  }
  if (input.error != 0) {
    // A folder opens and is then refused with no reason of the system's.
    messages.About(inputName, "cannot read", !input.opened && input.error == EISDIR ? -1 : input.error);
    return ExitStatus::kUsage;
  }
  std::vector<Byte> bytes = std::move(input.bytes);
  if (IsOpenType(*command.to)) {
    return ExportOpenType(command, *command.from, *command.to, bytes, inputName, streams, messages);
  }
  if (IsShapeFormat(*command.from)) return Export(command, *command.to, bytes, inputName, streams, messages);
  return Import(command, *command.from, *command.to, bytes, inputName, streams, messages);
}

}  // namespace

int RunMorluneConvert(int argc, const char* const* argv, const ToolStreams& streams) {
  TextOutput errors;
  AttachToolErrors(errors, streams);
  ExitStatus status = Run(argc, argv, streams, errors);
  errors.Finish();
  return ExitNumber(status);
}

}  // namespace morlune::convert
