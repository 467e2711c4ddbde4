// Nothing to quiet on Windows: no library the Windows build links writes
// to the standard error stream on its own.
#include "platform/quiet_standard_error.h"

namespace morlune {

QuietStandardError::QuietStandardError() = default;
QuietStandardError::~QuietStandardError() = default;

}  // namespace morlune
