// The four compiled variants, told apart by the signature at the file's head.
#pragma once

namespace morlune {

enum class ShapeFileKind : int {
  kUnknown = -1,
  kShapes10 = 0,
  kShapes11 = 1,
  kBigfont10 = 2,
  kUnifont10 = 3,
};

}  // namespace morlune
