// The order of one run: command line, formats, input read whole, the font
// converted in memory with its losses told, and only then the output
// written, whole or not at all.
#include "convert_driver/run_convert.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "convert/code_map.h"
#include "convert/font_import.h"
#include "convert/glyph_export.h"
#include "convert/interchange_io.h"
#include "convert/loss_report.h"
#include "convert/shape_font_input.h"
#include "convert_driver/convert_command.h"
#include "convert_driver/convert_exit_status.h"
#include "platform/file_io.h"
#include "platform/pending_file.h"
#include "platform/text_output.h"

#ifndef MORLUNE_VERSION
#define MORLUNE_VERSION "unknown"
#endif

namespace morlune::convert {
namespace {

constexpr std::string_view kToolName = "morlune-convert";
constexpr std::string_view kStdinName = "<stdin>";
constexpr std::string_view kStdoutName = "<stdout>";
// No font of any of the formats comes near this; a bigger input is refused
// before it can take the machine's memory.
constexpr std::size_t kLargestInput = std::size_t{256} << 20;

class Messages {
 public:
  explicit Messages(TextOutput& errors) : errors_(errors) {}
  // "morlune-convert: FILE: TEXT"
  void About(std::string_view file, std::string_view text) {
    errors_.Write(kToolName);
    errors_.Write(": ");
    if (!file.empty()) {
      errors_.Write(file);
      errors_.Write(": ");
    }
    errors_.Write(text);
    errors_.Write("\n");
  }

 private:
  TextOutput& errors_;
};

std::string ReasonText(int errorNumber) {
  const char* reason = errorNumber > 0 ? std::strerror(errorNumber) : nullptr;
  return reason != nullptr && *reason != '\0' ? reason : "not a readable file";
}

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
  int failure = 0;
  std::size_t size = 0;
  bytes.resize(64 * 1024);
  for (;;) {
    if (size == bytes.size()) {
      if (bytes.size() > kLargestInput) {
        failure = -2;
        break;
      }
      bytes.resize(bytes.size() * 2);
    }
    long got = ReadFd(fd, bytes.data() + size, bytes.size() - size);
    if (got < 0) failure = errno != 0 ? errno : -1;
    if (got <= 0) break;
    size += static_cast<std::size_t>(got);
  }
  bytes.resize(size);
  if (!standard) CloseFd(fd);
  return failure;
}

// The output's bytes to its file, replaced only once whole, or to
// standard output. Returns the exit status.
int WriteOutput(const ConvertCommand& command, const ToolStreams& streams, std::string_view bytes,
                Messages& messages) {
  TextOutput out;
  PendingFile file;
  bool standard = command.outputPath == "-";
  if (standard) {
    if (streams.outputCapture == nullptr) UseUntranslatedBytes(streams.outputFd);
    AttachToolStream(out, streams.outputFd, streams.outputCapture);
  } else {
    if (int error = OpenPendingFile(command.outputPath.c_str(), file); error != 0) {
      messages.About(command.outputPath, "cannot create the file or the temporary file beside it: " +
                                             ReasonText(error));
      return kExitNotWritten;
    }
    out.AttachFd(file.fd, true);
  }
  out.Write(bytes);
  out.Finish();
  int failure = out.FailureErrno();
  if (!standard) {
    if (failure != 0) {
      DiscardPendingFile(file);
    } else {
      failure = CommitPendingFile(file, command.outputPath.c_str());
    }
  }
  if (failure != 0) {
    messages.About(standard ? kStdoutName : std::string_view(command.outputPath),
                   "cannot write: " + ReasonText(failure));
    return kExitNotWritten;
  }
  return kExitWritten;
}

std::string BaseName(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::size_t dot = base.rfind('.');
  if (dot != std::string_view::npos && dot > 0) base = base.substr(0, dot);
  return std::string(base);
}

struct Conversion {
  std::string output;
  int status = kExitWritten;
};

Conversion Export(const ConvertCommand& command, FileFormat from, FileFormat to, const std::vector<Byte>& bytes,
                  std::string_view inputName, Messages& messages) {
  Result<ShapeFont> shapes = OpenShapeFont(bytes, from == FileFormat::kSource);
  if (!shapes) {
    for (const Diagnostic& problem : shapes.error().diagnostics) messages.About(inputName, problem.message);
    messages.About(inputName, "cannot be read as a shape font: " + shapes.error().message);
    return {"", kExitContentRefused};
  }
  std::string problem;
  std::optional<CodeMap> codes = CodeMap::For(shapes->variant, command.encoding, problem);
  if (!codes) {
    messages.About(inputName, "cannot map its codes to characters: " + problem);
    return {"", kExitBadCommand};
  }
  LossReport losses;
  std::string outputName = command.outputPath == "-" ? BaseName(command.inputPath) : BaseName(command.outputPath);
  GlyphFont glyphs = GlyphsOfShapes(*shapes, *codes, outputName, losses);
  Conversion conversion;
  conversion.output = WriteInterchangeFont(to, glyphs, outputName, losses);
  for (const std::string& line : losses.Lines()) messages.About(inputName, "lost on the way to " +
                                                                    std::string(FormatName(to)) + ": " + line);
  if (command.strict && !losses.Empty()) {
    messages.About(inputName, "not written: --strict and the format cannot carry everything");
    conversion.status = kExitContentRefused;
  }
  return conversion;
}

Conversion Import(const ConvertCommand& command, FileFormat from, FileFormat to, const std::vector<Byte>& bytes,
                  std::string_view inputName, Messages& messages) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::string fallbackName = command.inputPath == "-" ? BaseName(command.outputPath) : BaseName(command.inputPath);
  Result<StrokeFont> strokes = ReadInterchangeFont(from, text, fallbackName);
  if (!strokes) {
    messages.About(inputName, "cannot be read as " + std::string(FormatName(from)) + ": " + strokes.error().message);
    return {"", kExitContentRefused};
  }
  ImportOptions options;
  options.heightUnits = command.heightUnits;
  options.tolerance = command.tolerance;
  options.tolerancePerCap = command.tolerancePerCap;
  options.variant = command.variant;
  options.encoding = command.encoding;
  Result<ImportedFont> imported = ImportStrokeFont(*strokes, options);
  if (!imported) {
    for (const Diagnostic& problem : imported.error().diagnostics) messages.About(inputName, problem.message);
    bool badOption = imported.error().kind == ErrorKind::kEncoding || imported.error().kind == ErrorKind::kBadArgument;
    messages.About(inputName, "cannot be made a shape font: " + imported.error().message);
    return {"", badOption ? kExitBadCommand : kExitContentRefused};
  }
  if (imported->charactersLeftOut > 0) {
    messages.About(inputName, std::to_string(imported->charactersLeftOut) +
                                  " characters left out: the variant's codes cannot hold them");
  }
  messages.About(inputName, std::to_string(imported->glyphs) + " glyphs, " + std::to_string(imported->heightUnits) +
                                " units per capital height, largest error " + AmountText(imported->largestError) +
                                " (tolerance " + AmountText(imported->tolerance) + "), compiled size " +
                                std::to_string(imported->compiled.size()) + " bytes");
  Conversion conversion;
  if (to == FileFormat::kSource) {
    conversion.output = std::move(imported->sourceText);
  } else {
    conversion.output.assign(imported->compiled.begin(), imported->compiled.end());
  }
  return conversion;
}

int Run(int argc, const char* const* argv, const ToolStreams& streams, TextOutput& errors) {
  Messages messages(errors);
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
    messages.About("", command.problem);
    errors.Write("Try 'morlune-convert --help' for more information.\n");
    return kExitBadCommand;
  }
  if (command.help || command.version) {
    TextOutput out;
    out.SetCrLfLineEnds(TextLineEndIsCrLf());
    AttachToolStream(out, streams.outputFd, streams.outputCapture);
    out.Write(command.help ? std::string(kConvertUsage) : std::string(kToolName) + " " + MORLUNE_VERSION + "\n");
    out.Finish();
    if (out.Failed()) {
      messages.About(kStdoutName, "cannot write: " + ReasonText(out.FailureErrno()));
      return kExitNotWritten;
    }
    return kExitWritten;
  }

  std::string_view inputName = command.inputPath == "-" ? kStdinName : std::string_view(command.inputPath);
  std::vector<Byte> bytes;
  if (int failure = ReadInput(command, streams, bytes); failure != 0) {
    messages.About(inputName, failure == -2 ? std::string("cannot read: larger than 256 MiB")
                                            : "cannot read: " + ReasonText(failure));
    return kExitBadCommand;
  }
  Conversion conversion = IsShapeFormat(*command.from)
                              ? Export(command, *command.from, *command.to, bytes, inputName, messages)
                              : Import(command, *command.from, *command.to, bytes, inputName, messages);
  if (conversion.status != kExitWritten) return conversion.status;
  return WriteOutput(command, streams, conversion.output, messages);
}

}  // namespace

int RunMorluneConvert(int argc, const char* const* argv, const ToolStreams& streams) {
  TextOutput errors;
  errors.SetCrLfLineEnds(TextLineEndIsCrLf());
  AttachToolStream(errors, streams.errorFd, streams.errorCapture);
  int status = Run(argc, argv, streams, errors);
  errors.Finish();
  return status;
}

}  // namespace morlune::convert
