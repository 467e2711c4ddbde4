// std::bit_cast where the standard library has it; the compiler's own
// builtin, which std::bit_cast is made of, where it does not yet (the
// libc++ of some cross toolchains, WebAssembly's among them).
#pragma once

#include <type_traits>
#include <version>
#if defined(__cpp_lib_bit_cast)
#include <bit>
#endif

namespace morlune {

template <typename To, typename From>
  requires(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>)
constexpr To BitCast(const From& from) noexcept {
#if defined(__cpp_lib_bit_cast)
  return std::bit_cast<To>(from);
#else
  return __builtin_bit_cast(To, from);
#endif
}

}  // namespace morlune
