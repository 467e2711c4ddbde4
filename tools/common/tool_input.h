// A tool's input read whole: a file, or standard input, which is the
// descriptor or the bytes in memory that the run's streams give.
#pragma once

#include <cstddef>
#include <limits>
#include <string>

#include "platform/read_all.h"
#include "tools/common/tool_streams.h"

namespace morlune {

// The bytes of the file at path, or of standard input where path is null,
// read with no line end translated. input.opened is false where the file
// cannot be opened (a folder too), input.error the system's reason for that
// or for a failed read; input.tooLarge where it holds more than most bytes.
InputBytes ReadToolInput(const char* path, const ToolStreams& streams,
                         std::size_t most = std::numeric_limits<std::size_t>::max());

// What failed on the way to the input, in the tools' words.
inline const char* InputFailure(const InputBytes& input) { return input.opened ? "cannot read" : "cannot open"; }
// The same with the system's reason: "cannot open: No such file or directory".
std::string InputFailureText(const InputBytes& input);

}  // namespace morlune
