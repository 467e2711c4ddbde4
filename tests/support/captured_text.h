// What a writer puts on a text stream, as a string.
#pragma once

#include <string>

#include "platform/text_output.h"

namespace morlune::testing {

template <typename Write>
std::string Captured(Write write) {
  std::string text;  // declared first, so that it outlives the stream's last flush
  TextOutput out;
  out.AttachCapture(&text);
  write(out);
  out.Finish();
  return text;
}

}  // namespace morlune::testing
