// The state of one run of morlune: the streams, the options, the variant and
// the message source.
#pragma once

#include <string>

#include "grammar/shape_file_kind.h"
#include "platform/byte_input.h"
#include "tools/common/message_library.h"
#include "platform/text_output.h"

namespace morlune {

struct DumpContext {
  ByteInput input;
  TextOutput output;
  TextOutput errors;
  int decimalCodes = 0;
  int escapedNames = 0;
  ShapeFileKind kind = ShapeFileKind::kUnknown;
  MessageLibrary* resourceLibrary = nullptr;
  std::string usageSynopsis;
};

}  // namespace morlune
