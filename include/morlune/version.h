// The library's version, the one home of the number: the build reads it
// from here for the tools' --version, the package files and the Python
// module.
#pragma once

#define MORLUNE_VERSION_MAJOR 1
#define MORLUNE_VERSION_MINOR 4
#define MORLUNE_VERSION_STRING "1.4"

namespace morlune {

inline constexpr int kVersionMajor = MORLUNE_VERSION_MAJOR;
inline constexpr int kVersionMinor = MORLUNE_VERSION_MINOR;
inline constexpr const char* kVersion = MORLUNE_VERSION_STRING;

}  // namespace morlune
