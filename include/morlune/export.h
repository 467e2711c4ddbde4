// Marks the library's public functions and classes for export from the
// shared build; the static build needs no marks.
#pragma once

#if defined(MORLUNE_SHARED)
#if defined(_WIN32)
#if defined(MORLUNE_BUILDING)
#define MORLUNE_API __declspec(dllexport)
#else
#define MORLUNE_API __declspec(dllimport)
#endif
#else
#define MORLUNE_API __attribute__((visibility("default")))
#endif
#else
#define MORLUNE_API
#endif
