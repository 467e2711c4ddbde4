// The item grammar of a shape's specification bytes: which codes take which
// operands, how wide each operand is and what kind of number it holds, and
// where the two lists end. The decompiler's reading, the compiler's reading
// of numbers and the drawing all split items by this one table.
#pragma once

#include <cstdint>
#include <morlune/compile.h>


namespace morlune {

// What a number of the specification stands for: its width in bytes, the
// values it accepts and how it is written as text.
enum class OperandKind : std::uint8_t {
  kItemCode,       // a code 0 to 14 or a vector byte: 1 byte, 0 to 255
  kUnsigned,       // codes 3 and 4, 10's radius, 11's first four: 0 to 255
  kSigned,         // codes 8, 9, 12 and 13, the long form's frame: -128 to 127
  kSignMagnitude,  // the octant byte of codes 10 and 11: bit 7 the sign
  kShapeCode,      // code 7 in shapes and bigfont fonts: 1 byte, 0 opens the long form
  kUnifontCode,    // code 7 in a unifont: 2 bytes, high first
  kLongFormCode,   // the code of code 7's long form: 2 bytes, high first
  kHeaderValue,    // a value of the font-header record: 1 byte, -128 to 255
};

// Bytes that one operand of the kind takes in the specification.
constexpr int OperandBytes(OperandKind kind) {
  return kind == OperandKind::kUnifontCode || kind == OperandKind::kLongFormCode ? 2 : 1;
}

enum class ListKind : std::uint8_t {
  kNone,
  kPairs,          // code 9: (dx, dy) pairs
  kBulgeEntries,   // code 13: (dx, dy, bulge) entries
};

// The codes below kFirstVectorByte, by what each does to the pen.
enum ItemCode : int {
  kCodeEnd = 0,               // the shape ends
  kCodePenDown = 1,           // moves draw from here on
  kCodePenUp = 2,             // moves stop drawing
  kCodeDivideScale = 3,       // the scale divided by the operand
  kCodeMultiplyScale = 4,     // the scale multiplied by the operand
  kCodePushPosition = 5,      // the pen's place pushed on the stack
  kCodePopPosition = 6,       // the pen goes back to the place popped
  kCodeSubshape = 7,          // another shape drawn from here
  kCodeDisplacement = 8,      // one (dx, dy) move
  kCodeDisplacementList = 9,  // (dx, dy) moves up to (0, 0)
  kCodeOctantArc = 10,        // an arc by whole octants
  kCodeFractionalArc = 11,    // an arc from and to any angle
  kCodeBulgeArc = 12,         // one (dx, dy, bulge) arc
  kCodeBulgeArcList = 13,     // (dx, dy, bulge) arcs up to (0, 0)
  kCodeVerticalOnly = 14,     // the next item applies to vertical text alone
};

// A vector byte: its length in units in the high four bits, one of the
// sixteen directions in the low four.
constexpr int VectorLength(int byte) { return byte >> 4; }
constexpr int VectorDirection(int byte) { return byte & 0x0F; }
// The unit step of each direction in half units (x, y): counterclockwise
// from east, the odd directions half steps between their neighbours, not
// equal angles.
inline constexpr int kVectorHalfSteps[16][2] = {
    {2, 0},  {2, 1},   {2, 2},   {1, 2},   {0, 2},  {-1, 2}, {-2, 2}, {-2, 1},
    {-2, 0}, {-2, -1}, {-2, -2}, {-1, -2}, {0, -2}, {1, -2}, {2, -2}, {2, -1},
};
// A vector byte holds a move of at most this many units.
inline constexpr int kLongestVector = 15;

inline constexpr int kMaxOperands = 6;
// Codes 9 and 13 end their list with this many zero bytes.
inline constexpr int kListClosingBytes = 2;
// Bytes from here on are vector items of their own; below it they are codes.
inline constexpr int kFirstVectorByte = 15;

struct ItemForm {
  std::uint8_t operandCount;
  OperandKind operands[kMaxOperands];
  ListKind list;
  // Code 7 outside a unifont: a first operand of 0 opens kLongForm.
  bool opensLongForm;
};

// Code 7's long form: the 0 that opens it, the 16-bit code, then the
// frame's x, y, width and height.
inline constexpr ItemForm kLongForm = {
    6,
    {OperandKind::kShapeCode, OperandKind::kLongFormCode, OperandKind::kSigned, OperandKind::kSigned,
     OperandKind::kSigned, OperandKind::kSigned},
    ListKind::kNone,
    false};

namespace item_grammar_detail {
using K = OperandKind;
constexpr ListKind kNoList = ListKind::kNone;

// Codes 0 to 14, as every variant but a unifont reads them. In the header,
// so that a reader that dispatches on the code sees each form as a constant.
inline constexpr ItemForm kCodeTable[kFirstVectorByte] = {
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
}  // namespace item_grammar_detail
using item_grammar_detail::kCodeTable;

// Whether a byte is a whole item by itself, in every variant: a vector
// byte, or a code with no operands and no list. Code 0 is left out: the
// text of an end depends on the bytes the record still declares.
constexpr bool IsLoneItem(int byte) {
  if (byte >= kFirstVectorByte) return true;
  const ItemForm& form = kCodeTable[byte];
  return byte != 0 && form.operandCount == 0 && form.list == ListKind::kNone;
}

// A unifont's code 7 always names its subshape with a 16-bit code.
inline constexpr ItemForm kUnifontCode7 = {1, {OperandKind::kUnifontCode}, ListKind::kNone, false};

// The form of a code byte (0 to 255) in a font of the given variant; a
// vector byte has no operands.
const ItemForm& ItemFormOf(int code, Variant kind);

// Values in one entry of a list: 2 for code 9's pairs, 3 for code 13's
// entries; the closing pair has two values in both.
constexpr int ListEntryValues(ListKind list) { return list == ListKind::kBulgeEntries ? 3 : 2; }

// Follows a record's items one number at a time: what the next number
// stands for, and where an item ends. The compiler walks its source numbers
// through it, and the drawing its record bytes.
class ItemCursor {
 public:
  explicit ItemCursor(Variant kind) : kind_(kind) {}

  // The kind of the number due next (kItemCode between items).
  OperandKind NextKind() const {
    if (form_ == nullptr) return OperandKind::kItemCode;
    if (inList_) return OperandKind::kSigned;
    return form_->operands[taken_];
  }
  // Takes the number due next, as stored (a byte, or a 16-bit code).
  // Inline: the compiler takes every number of a text through it.
  void Take(int value) {
    if (form_ == nullptr) {
      code_ = value;
      if (value >= kFirstVectorByte) return;  // a vector byte, an item of its own
      taken_ = 0;
      const ItemForm& form = ItemFormOf(value, kind_);
      inList_ = form.list != ListKind::kNone;
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
  // True when no item is open: the record may end here.
  bool BetweenItems() const { return form_ == nullptr; }
  // The code of the open item, or of the last one taken.
  int Code() const { return code_; }
  // True while the open item is in its list (after its code).
  bool InList() const { return inList_; }

 private:
  Variant kind_;
  const ItemForm* form_ = nullptr;
  int code_ = -1;
  int taken_ = 0;       // operands of the open item taken, or values of the open entry
  bool inList_ = false;
  int entryFirst_ = 0;  // the first value of the open list entry
};

}  // namespace morlune
