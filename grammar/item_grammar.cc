// The code table, and the cursor that walks it number by number.
#include "grammar/item_grammar.h"

namespace morlune {
namespace {

using K = OperandKind;
constexpr ListKind kNoList = ListKind::kNone;

// Codes 0 to 14, as every variant but a unifont reads them.
constexpr ItemForm kCodeTable[kFirstVectorByte] = {
    /* 0 */ {0, {}, kNoList, false},
    /* 1 */ {0, {}, kNoList, false},
    /* 2 */ {0, {}, kNoList, false},
    /* 3 */ {1, {K::kUnsigned}, kNoList, false},
    /* 4 */ {1, {K::kUnsigned}, kNoList, false},
    /* 5 */ {0, {}, kNoList, false},
    /* 6 */ {0, {}, kNoList, false},
    /* 7 */ {1, {K::kShapeCode}, kNoList, true},
    /* 8 */ {2, {K::kSigned, K::kSigned}, kNoList, false},
    /* 9 */ {0, {}, ListKind::kPairs, false},
    /* 10 */ {2, {K::kUnsigned, K::kSignMagnitude}, kNoList, false},
    /* 11 */ {5, {K::kUnsigned, K::kUnsigned, K::kUnsigned, K::kUnsigned, K::kSignMagnitude}, kNoList, false},
    /* 12 */ {3, {K::kSigned, K::kSigned, K::kSigned}, kNoList, false},
    /* 13 */ {0, {}, ListKind::kBulgeEntries, false},
    /* 14 */ {0, {}, kNoList, false},
};
// A unifont's code 7 always names its subshape with a 16-bit code.
constexpr ItemForm kUnifontCode7 = {1, {K::kUnifontCode}, kNoList, false};
constexpr ItemForm kVectorForm = {0, {}, kNoList, false};

}  // namespace

const ItemForm& ItemFormOf(int code, ShapeFileKind kind) {
  if (code < 0 || code >= kFirstVectorByte) return kVectorForm;
  if (code == 7 && kind == ShapeFileKind::kUnifont10) return kUnifontCode7;
  return kCodeTable[code];
}

OperandKind ItemCursor::NextKind() const {
  if (form_ == nullptr) return K::kItemCode;
  if (inList_) return K::kSigned;
  return form_->operands[taken_];
}

void ItemCursor::Take(int value) {
  if (form_ == nullptr) {
    code_ = value;
    taken_ = 0;
    const ItemForm& form = ItemFormOf(value, kind_);
    inList_ = form.list != kNoList;
    form_ = (form.operandCount > 0 || inList_) ? &form : nullptr;
    return;
  }
  if (inList_) {
    if (taken_ == 0) {
      entryFirst_ = value;
      taken_ = 1;
      return;
    }
    if (taken_ == 1 && entryFirst_ == 0 && value == 0) {
      form_ = nullptr;  // the closing pair
      inList_ = false;
      return;
    }
    if (++taken_ == ListEntryValues(form_->list)) taken_ = 0;
    return;
  }
  if (taken_ == 0 && form_->opensLongForm && value == 0) form_ = &kLongForm;
  if (++taken_ == form_->operandCount) form_ = nullptr;
}

}  // namespace morlune
