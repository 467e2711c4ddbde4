// Where a tool's output goes: to standard output, or to an -o file written
// whole or not at all, and the lines that say why it was not written, the
// same for every tool beside morlune.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "platform/text_output.h"
#include "tools/common/option_scanner.h"
#include "tools/common/tool_exit_status.h"
#include "tools/common/tool_messages.h"
#include "tools/common/tool_streams.h"

namespace morlune {

// Standard error of a run, with the system's line ends for its text lines.
void AttachToolErrors(TextOutput& errors, const ToolStreams& streams);

// Text on standard output (the help, the version); false, with the line
// that says so, when it cannot be written.
bool SayOnToolOutput(const ToolStreams& streams, ToolMessages& messages, std::string_view text,
                     bool crLfLineEnds = false);

// The end of a run that its command line ends at once: the help text or
// "TOOL VERSION" on standard output for --help and --version, the problem
// of the command line on standard error. Nothing for a run that goes on.
std::optional<ExitStatus> EndOnVerdict(const OptionScan& scan, std::string_view tool, std::string_view helpText,
                                       const ToolStreams& streams, ToolMessages& messages);

// The output's bytes through write(): to the -o file at outputPath, which
// is written beside and takes its name only when every byte is, or to
// standard output for none, with no line end translated. False, with the
// line that says why, when the output was not written.
bool WriteToolOutput(const char* outputPath, const ToolStreams& streams, ToolMessages& messages,
                     const std::function<void(TextOutput&)>& write);

// The same for a writer that may find, once it has written, that the
// output must not go out (a loss the command line forbids): write returns
// false, and nothing is written, the -o file left as it was. Standard
// output cannot take bytes back: there the text is held until write
// returns. False, with the line that says why, when the output was not
// written for a failure; dropped tells the writer's own refusal.
bool WriteToolOutputUnlessDropped(const char* outputPath, const ToolStreams& streams, ToolMessages& messages,
                                  const std::function<bool(TextOutput&)>& write, bool& dropped);

// True, with the line that says so, where the -o file at outputPath is the
// very file the input is read from: the file at inputPath, or standard
// input redirected from it where inputPath is null. Written over, the input
// would be lost for good.
bool RefuseOutputOverInput(const char* outputPath, const char* inputPath, const ToolStreams& streams,
                           ToolMessages& messages, std::string_view reason = "it is the input file");

}  // namespace morlune
