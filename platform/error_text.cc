// The system's reason for an error number, behind the fixed words.
#include "platform/error_text.h"

#include <cstring>

namespace morlune {

// No tool sets a locale, so the reason is the C library's own text.
std::string WriteErrorText(int errorNumber) {
  std::string text = "Write error";
  if (errorNumber != 0) {
    const char* reason = std::strerror(errorNumber);
    if (reason != nullptr && *reason != '\0') text.append(": ").append(reason);
  }
  return text;
}

}  // namespace morlune
