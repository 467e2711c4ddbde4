// POSIX systems hand arguments over as the bytes given.
#include "platform/utf8_arguments.h"

namespace morlune {

bool Utf8Arguments(std::vector<std::string>&) { return false; }

}  // namespace morlune
