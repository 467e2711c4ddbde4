// The state of one run of morlune: the streams, the options, the variant and
// the message source.
#pragma once

#include <optional>
#include <string>

#include <morlune/compile.h>

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
  std::optional<Variant> kind;  // none until the signature is recognised
  MessageLibrary* resourceLibrary = nullptr;
  std::string usageSynopsis;
};

}  // namespace morlune
