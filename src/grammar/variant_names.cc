// The variants' names, as morlune-compile's --variant takes them.
#include <array>

#include <morlune/compile.h>

namespace morlune {
namespace {

constexpr std::array<std::string_view, 4> kVariantNames = {"shapes10", "shapes11", "bigfont", "unifont"};

}  // namespace

std::string_view VariantName(Variant variant) {
  auto index = static_cast<std::size_t>(variant);
  return index < kVariantNames.size() ? kVariantNames[index] : std::string_view();
}

std::optional<Variant> VariantFromName(std::string_view name) {
  for (std::size_t i = 0; i < kVariantNames.size(); ++i) {
    if (kVariantNames[i] == name) return static_cast<Variant>(i);
  }
  return std::nullopt;
}

}  // namespace morlune
