// std::make_unique_for_overwrite for arrays, where the standard library has
// it; the same default-initialised array where it does not yet (the libc++
// of some cross toolchains, WebAssembly's among them).
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <version>

namespace morlune {

// A buffer about to be filled: its elements are left as the allocation
// gives them, not cleared first.
template <typename T>
  requires std::is_unbounded_array_v<T>
std::unique_ptr<T> MakeUniqueForOverwrite(std::size_t n) {
#if defined(__cpp_lib_smart_ptr_for_overwrite)
  return std::make_unique_for_overwrite<T>(n);
#else
  return std::unique_ptr<T>(new std::remove_extent_t<T>[n]);
#endif
}

}  // namespace morlune
