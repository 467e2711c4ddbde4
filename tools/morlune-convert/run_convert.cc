// The order of one run: command line, formats, input read whole, then the
// font converted into the output, which takes the output file's name only
// once whole (an export's glyphs go out as they are drawn; an import is
// made and measured whole first).
#include "tools/morlune-convert/run_convert.h"

#include <cerrno>
#include <string>
#include <vector>

#include "convert/code_map.h"
#include "convert/import/font_import.h"
#include "convert/export/glyph_export.h"
#include "convert/interchange_io.h"
#include "convert/loss_report.h"
#include "convert/export/shape_font_input.h"
#include "convert/utf8_text.h"
#include "tools/morlune-convert/convert_command.h"
#include "tools/morlune-convert/convert_exit_status.h"
#include "platform/file_io.h"
#include "platform/read_all.h"
#include "platform/tool_messages.h"
#include "tools/common/tool_output.h"
#include "platform/text_output.h"

#ifndef MORLUNE_VERSION
#define MORLUNE_VERSION "unknown"
#endif

namespace morlune::convert {
namespace {

constexpr std::string_view kToolName = "morlune-convert";
constexpr std::string_view kStdinName = "<stdin>";
// No font of any of the formats comes near this; a bigger input is refused
// before it can take the machine's memory.
constexpr std::size_t kLargestInput = std::size_t{256} << 20;

// "3 glyphs", "1 glyph".
std::string Counted(long long count, std::string_view thing) {
  std::string text = std::to_string(count);
  text.append(" ").append(thing);
  if (count != 1) text.push_back('s');
  return text;
}

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
  void SourceProblem(std::string_view file, std::string_view problem) {
    tool_.Problem(std::string(file) + ":" + std::string(problem));
  }
  ToolMessages& Tool() { return tool_; }

 private:
  ToolMessages& tool_;
};

// Returns 0, or the error number of the failure (-1 where there is none,
// -2 for an input past the largest taken).
int ReadInput(const ConvertCommand& command, const ToolStreams& streams, std::vector<Byte>& bytes) {
  bool standard = command.inputPath == "-";
  if (standard && streams.inputData != nullptr) {
    if (streams.inputSize > kLargestInput) return -2;
    bytes.assign(streams.inputData, streams.inputData + streams.inputSize);
    return 0;
  }
  int fd = streams.inputFd;
  if (!standard) {
    errno = 0;
    fd = OpenForReading(command.inputPath.c_str());
    if (fd < 0) return errno != 0 ? errno : -1;
  } else {
    UseUntranslatedBytes(fd);
  }
  InputBytes input = ReadAllFrom(fd, kLargestInput);
  if (!standard) CloseFd(fd);
  if (input.tooLarge) return -2;
  bytes = std::move(input.bytes);
  return input.error;
}

std::string BaseName(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::size_t dot = base.rfind('.');
  if (dot != std::string_view::npos && dot > 0) base = base.substr(0, dot);
  return std::string(base);
}

// Text that must wait goes beside the -o file, on a disk that can take
// the output; for standard output, to the system's temporary folder.
TextHolding HoldingFor(const ConvertCommand& command) {
  TextHolding holding;
  if (command.outputPath == "-") return holding;
  std::size_t slash = command.outputPath.find_last_of("/\\");
  if (slash == std::string::npos) {
    holding.folder = ".";
  } else {
    holding.folder = command.outputPath.substr(0, slash == 0 ? 1 : slash);
  }
  return holding;
}

const char* OutputPath(const ConvertCommand& command) {
  return command.outputPath == "-" ? nullptr : command.outputPath.c_str();
}

// The font is drawn glyph by glyph into the output (an LFF's glyphs wait
// for its header), its losses told once all is written; with --strict a
// loss drops what was written.
int Export(const ConvertCommand& command, FileFormat to, std::vector<Byte>& bytes, std::string_view inputName,
           const ToolStreams& streams, Messages& messages) {
  Result<Font> font = OpenCompiledFont(bytes);
  // The font keeps its own copy.
  std::vector<Byte>().swap(bytes);
  if (!font) {
    for (const Diagnostic& problem : font.error().diagnostics) messages.SourceProblem(inputName, problem.message);
    messages.Tool().CloseProblems();
    messages.About(inputName, "cannot be read as a shape font: " + font.error().message);
    return kExitContentRefused;
  }
  // A font cut short exports what it holds, the rest told as lost; one that
  // holds no glyph at all has nothing to export.
  FontHolding holding = HoldingOf(*font);
  if (!holding.indexRead) {
    messages.About(inputName, "cannot be read as a shape font: its index is cut short or cannot be read");
    return kExitContentRefused;
  }
  if (holding.glyphs == 0) {
    std::string why = holding.unreached > 0 ? " (the file ends before the " + Counted(holding.unreached, "record") +
                                                  " its index announces)"
                                            : "";
    messages.About(inputName, "holds no glyph to export" + why);
    return kExitContentRefused;
  }
  std::string problem;
  std::optional<CodeMap> codes = CodeMap::For(font->variant(), command.encoding, problem);
  if (!codes) {
    messages.About(inputName, "cannot map its codes to characters: " + problem);
    return kExitBadCommand;
  }
  std::string outputName = command.outputPath == "-" ? BaseName(command.inputPath) : BaseName(command.outputPath);
  ShapeGlyphs glyphs(std::move(*font), *codes, outputName);
  auto write = [&](TextOutput& out) {
    LossReport losses;
    if (holding.unreached > 0) losses.Add(LossKind::kRecordsUnreached, 0, static_cast<long long>(holding.unreached));
    WriteInterchangeFont(to, glyphs, outputName, losses, out, HoldingFor(command));
    for (const std::string& line : losses.Lines()) {
      messages.About(inputName, "lost on the way to " + std::string(FormatName(to)) + ": " + line);
    }
    if (command.strict && !losses.Empty()) {
      messages.About(inputName, "not written: --strict and the format cannot carry everything");
      return false;
    }
    return true;
  };
  bool dropped = false;
  const char* path = OutputPath(command);
  bool written = command.strict ? WriteToolOutputUnlessDropped(path, streams, messages.Tool(), write, dropped)
                                : WriteToolOutput(path, streams, messages.Tool(), [&](TextOutput& out) { write(out); });
  if (dropped) return kExitContentRefused;
  return written ? kExitWritten : kExitNotWritten;
}

int Import(const ConvertCommand& command, FileFormat from, FileFormat to, const std::vector<Byte>& bytes,
           std::string_view inputName, const ToolStreams& streams, Messages& messages) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::string fallbackName = command.inputPath == "-" ? BaseName(command.outputPath) : BaseName(command.inputPath);
  Result<StrokeFont> strokes = ReadInterchangeFont(from, text, fallbackName);
  if (!strokes) {
    messages.About(inputName, "cannot be read as " + std::string(FormatName(from)) + ": " + strokes.error().message);
    return kExitContentRefused;
  }
  // What strays from the format is read as the format's readers take it,
  // and told, so that the file can be mended.
  for (const std::string& line : strokes->notes.Lines()) messages.About(inputName, line);
  if (command.strict && !strokes->notes.Empty()) {
    messages.About(inputName, "not written: --strict and the input is not read whole as written");
    return kExitContentRefused;
  }
  ImportOptions options;
  options.heightUnits = command.heightUnits;
  options.tolerance = command.tolerance;
  options.tolerancePerCap = command.tolerancePerCap;
  options.variant = command.variant;
  options.encoding = command.encoding;
  Result<ImportedFont> imported = ImportStrokeFont(*strokes, options);
  if (!imported) {
    for (const Diagnostic& problem : imported.error().diagnostics) {
      messages.SourceProblem("<imported source text>", problem.message);
    }
    messages.Tool().CloseProblems();
    bool badOption = imported.error().kind == ErrorKind::kEncoding || imported.error().kind == ErrorKind::kBadArgument;
    messages.About(inputName, "cannot be made a shape font: " + imported.error().message);
    return badOption ? kExitBadCommand : kExitContentRefused;
  }
  if (imported->charactersLeftOut > 0) {
    messages.About(inputName, Counted(imported->charactersLeftOut, "character") +
                                  " left out: the variant's codes cannot hold " +
                                  (imported->charactersLeftOut == 1 ? "it" : "them"));
  }
  messages.About(inputName, Counted(imported->glyphs, "glyph") + ", " + Counted(imported->heightUnits, "unit") +
                                " per capital height, largest error " + AmountText(imported->largestError) +
                                " (tolerance " + AmountText(imported->tolerance) + "), compiled size " +
                                Counted(imported->compiled.size(), "byte"));
  // Only a grid given (or the input's own) can come this far past the
  // tolerance: the search refuses such a grid.
  if (imported->largestError > imported->tolerance) {
    messages.About(inputName, "the largest error " + AmountText(imported->largestError) + " passes the tolerance " +
                                  AmountText(imported->tolerance) + " on a grid of " +
                                  Counted(imported->heightUnits, "unit") + " (the glyph of " +
                                  CharacterName(imported->largestErrorCharacter) + ")");
  }
  bool written = WriteToolOutput(OutputPath(command), streams, messages.Tool(), [&](TextOutput& out) {
    if (to == FileFormat::kSource) {
      out.Write(imported->sourceText);
    } else {
      out.Write(std::string_view(reinterpret_cast<const char*>(imported->compiled.data()), imported->compiled.size()));
    }
  });
  return written ? kExitWritten : kExitNotWritten;
}

int Run(int argc, const char* const* argv, const ToolStreams& streams, TextOutput& errors) {
  ToolMessages tool(kToolName, errors);
  Messages messages(tool);
  ConvertCommand command = ParseConvertCommand(argc, argv);
  if (command.problem.empty() && !command.help && !command.version) {
    if (!command.from) command.from = FormatFromPath(command.inputPath);
    if (!command.to) command.to = FormatFromPath(command.outputPath);
    if (!command.from) {
      command.problem = "the format of '" + command.inputPath + "' is not known: name it with --from";
    } else if (!command.to) {
      command.problem = "the format of '" + command.outputPath + "' is not known: name it with --to";
    } else if (IsShapeFormat(*command.from) == IsShapeFormat(*command.to)) {
      command.problem = "one side must be a shape font (kqx, kqs) and the other an interchange font (svg, jhf, lff)";
    }
  }
  if (!command.problem.empty()) {
    messages.Tool().CommandLineProblem(command.problem);
    return kExitBadCommand;
  }
  if (command.help || command.version) {
    std::string text =
        command.help ? std::string(kConvertUsage) : std::string(kToolName) + " " + MORLUNE_VERSION + "\n";
    return SayOnToolOutput(streams, tool, text, true) ? kExitWritten : kExitNotWritten;
  }

  // Writing over the very file read would lose the font for good.
  bool standardInput = command.inputPath == "-" && streams.inputData == nullptr;
  if (RefuseOutputOverInput(command.outputPath == "-" ? nullptr : command.outputPath.c_str(),
                            standardInput ? nullptr : command.inputPath.c_str(), streams, tool)) {
    return kExitBadCommand;
  }
  std::string_view inputName = command.inputPath == "-" ? kStdinName : std::string_view(command.inputPath);
  std::vector<Byte> bytes;
  if (int failure = ReadInput(command, streams, bytes); failure != 0) {
    if (failure == -2) {
      messages.About(inputName, "cannot read: larger than 256 MiB");
    } else {
      messages.About(inputName, "cannot read", failure);
    }
    return kExitBadCommand;
  }
  if (IsShapeFormat(*command.from)) return Export(command, *command.to, bytes, inputName, streams, messages);
  return Import(command, *command.from, *command.to, bytes, inputName, streams, messages);
}

}  // namespace

int RunMorluneConvert(int argc, const char* const* argv, const ToolStreams& streams) {
  TextOutput errors;
  AttachToolErrors(errors, streams);
  int status = Run(argc, argv, streams, errors);
  errors.Finish();
  return status;
}

}  // namespace morlune::convert
