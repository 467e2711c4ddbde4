// The system's reason for an error number, behind the fixed words.
#include "platform/error_text.h"

#include <cstring>

namespace morlune {

std::string SystemReason(int errorNumber) {
  const char* reason = std::strerror(errorNumber);
  return reason != nullptr && *reason != '\0' ? reason : "error " + std::to_string(errorNumber);
}

std::string WriteErrorText(int errorNumber) {
  return errorNumber != 0 ? "Write error: " + SystemReason(errorNumber) : "Write error";
}

}  // namespace morlune
