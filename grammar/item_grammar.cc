// The code table, and the cursor that walks it number by number.
#include "grammar/item_grammar.h"

namespace morlune {
namespace {

using K = OperandKind;
constexpr ListKind kNoList = ListKind::kNone;
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
