// The code table of every variant.
#include "grammar/item_grammar.h"

namespace morlune {
namespace {

constexpr ListKind kNoList = ListKind::kNone;
constexpr ItemForm kVectorForm = {0, {}, kNoList, false};

}  // namespace

const ItemForm& ItemFormOf(int code, Variant kind) {
  if (code < 0 || code >= kFirstVectorByte) return kVectorForm;
  if (code == 7 && kind == Variant::kUnifont) return kUnifontCode7;
  return kCodeTable[code];
}

}  // namespace morlune
