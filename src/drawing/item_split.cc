// Items by the grammar's forms: a code's operand widths, the long form that
// a 0 opens, and the lists that only a pair of zero bytes closes.
#include "drawing/item_split.h"

#include "grammar/item_grammar.h"

namespace morlune {

ItemSpan SplitItem(const unsigned char* spec, std::size_t size, std::size_t at, Variant kind) {
  const ItemSpan cut{static_cast<std::uint16_t>(at), static_cast<std::uint16_t>(size), false};
  const ItemForm* form = &ItemFormOf(spec[at], kind);
  std::size_t next = at + 1;
  if (form->list != ListKind::kNone) {
    const std::size_t entry = static_cast<std::size_t>(ListEntryValues(form->list));
    for (;; next += entry) {
      if (next + kListClosingBytes > size) return cut;
      if (spec[next] == 0 && spec[next + 1] == 0) {
        next += kListClosingBytes;
        break;
      }
      if (next + entry > size) return cut;
    }
  } else {
    for (int i = 0; i < form->operandCount; ++i) {
      std::size_t width = static_cast<std::size_t>(OperandBytes(form->operands[i]));
      if (next + width > size) return cut;
      if (i == 0 && form->opensLongForm && spec[next] == 0) form = &kLongForm;
      next += width;
    }
  }
  return {static_cast<std::uint16_t>(at), static_cast<std::uint16_t>(next), true};
}

ShapeItem ReadItem(const unsigned char* spec, ItemSpan span, Variant kind) {
  ShapeItem item;
  item.code = spec[span.start];
  item.form = &ItemFormOf(item.code, kind);
  const unsigned char* next = spec + span.start + 1;
  for (int i = 0; i < item.form->operandCount; ++i) {
    if (i == 0 && item.form->opensLongForm && *next == 0) item.form = &kLongForm;
    bool wide = OperandBytes(item.form->operands[i]) == 2;
    item.operands[i] = wide ? next[0] * 256 + next[1] : next[0];
    next += wide ? 2 : 1;
  }
  return item;
}

bool ItemReader::NextSplit(ItemSpan& span) {
  if (kept_ == nullptr) {
    if (at_ >= size_) return false;
    span = SplitItem(spec_, size_, at_, kind_);
    at_ = span.end;
    return true;
  }
  std::vector<std::uint16_t>& ends = kept_->ends;
  std::size_t start = index_ == 0 ? 0 : ends[index_ - 1];
  if (index_ < ends.size()) {
    span = {static_cast<std::uint16_t>(start), ends[index_], true};
    ++index_;
    return true;
  }
  if (start >= size_) return false;
  // An item found cut short once is not read again: an unclosed list may
  // run to the record's end.
  if (kept_->cutShort) {
    span = {static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(size_), false};
    return true;
  }
  span = SplitItem(spec_, size_, start, kind_);
  if (span.whole) {
    ends.push_back(span.end);
    ++index_;
  } else {
    kept_->cutShort = true;
  }
  return true;
}

}  // namespace morlune
