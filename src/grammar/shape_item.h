// One item of a shape's specification: a code with its operands as stored.
#pragma once

#include "grammar/item_grammar.h"

namespace morlune {

struct ShapeItem {
  int code = 0;  // 0 to 255; kFirstVectorByte and up a vector byte
  const ItemForm* form = nullptr;  // kLongForm for a long-form code 7
  // As stored: bytes 0 to 255, 16-bit codes 0 to 65535.
  int operands[kMaxOperands];  // the first form->operandCount hold values
};

}  // namespace morlune
