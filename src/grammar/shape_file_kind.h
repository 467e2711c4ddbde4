// The four compiled variants, told apart by the signature at the file's head.
#pragma once

#include <optional>

#include <morlune/compile.h>

namespace morlune {

enum class ShapeFileKind : int {
  kUnknown = -1,
  kShapes10 = 0,
  kShapes11 = 1,
  kBigfont10 = 2,
  kUnifont10 = 3,
};

// The library's names of the variants are the known kinds, in one order.
static_assert(static_cast<int>(Variant::kShapes10) == static_cast<int>(ShapeFileKind::kShapes10) &&
              static_cast<int>(Variant::kShapes11) == static_cast<int>(ShapeFileKind::kShapes11) &&
              static_cast<int>(Variant::kBigfont) == static_cast<int>(ShapeFileKind::kBigfont10) &&
              static_cast<int>(Variant::kUnifont) == static_cast<int>(ShapeFileKind::kUnifont10));
inline Variant VariantOfKind(ShapeFileKind kind) { return static_cast<Variant>(static_cast<int>(kind)); }
inline ShapeFileKind KindOfVariant(Variant variant) { return static_cast<ShapeFileKind>(static_cast<int>(variant)); }
inline std::optional<ShapeFileKind> KindOfVariant(std::optional<Variant> variant) {
  if (!variant) return std::nullopt;
  return KindOfVariant(*variant);
}

}  // namespace morlune
