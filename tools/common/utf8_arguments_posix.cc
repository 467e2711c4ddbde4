// POSIX systems hand arguments over as the bytes given.
#include "tools/common/utf8_arguments.h"

namespace morlune {

bool Utf8Arguments(std::vector<std::string>&) { return false; }

}  // namespace morlune
