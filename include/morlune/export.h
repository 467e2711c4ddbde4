// Marks the library's public functions and classes for export from the
// shared build; the static build needs no marks.
#pragma once

// The least standard the headers are written for; a newer one is welcome.
#if defined(_MSVC_LANG)
#if _MSVC_LANG < 202002L
#error "morlune's headers need C++20 or newer (/std:c++20)"
#endif
#elif __cplusplus < 202002L
#error "morlune's headers need C++20 or newer (-std=c++20)"
#endif

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
